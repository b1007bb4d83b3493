// Builds the whole report on one printer into a document, section by section, each under its own
// guard, inside one update of the document.
#pragma once

#include "platform/printer_list.h"
#include "platform/rich_document.h"
#include "platform/spooler.h"
#include "report/report_facts.h"
#include "report/structured_report.h"

#include <optional>
#include <string>

namespace ostrel {

struct PrinterNames {
    std::string deviceName;
    std::string portName;
    // Why the printer could not be opened ("1801: " and the system's text), when it could not.
    std::optional<std::string> openFailure;
};

class ReportBuilder {
public:
    // With items, the same report is also collected there as data.
    ReportBuilder(Spooler& spooler, RichDocument& document, StructuredReport* items = nullptr)
        : spooler_(spooler), document_(document), items_(items)
    {
    }

    // Replaces the document's content (and the items) with the report for the printer-list entry.
    // facts, when given, receives what the report read, for judging it without asking the spooler
    // again.
    PrinterNames MakeReport(const std::string& entry, ReportFacts* facts = nullptr);

private:
    Spooler& spooler_;
    RichDocument& document_;
    StructuredReport* items_;
};

}  // namespace ostrel
