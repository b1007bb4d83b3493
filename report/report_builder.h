// Builds the whole report on one printer into a document, section by section, each under its own
// guard, inside one update of the document.
#pragma once

#include "platform/printer_list.h"
#include "platform/rich_document.h"
#include "platform/spooler.h"
#include "report/structured_report.h"

#include <string>

namespace ostrel {

struct PrinterNames {
    std::string deviceName;
    std::string portName;
};

class ReportBuilder {
public:
    // With items, the same report is also collected there as data.
    ReportBuilder(Spooler& spooler, RichDocument& document, StructuredReport* items = nullptr)
        : spooler_(spooler), document_(document), items_(items)
    {
    }

    // Replaces the document's content (and the items) with the report for the printer-list entry.
    PrinterNames MakeReport(const std::string& entry);

private:
    Spooler& spooler_;
    RichDocument& document_;
    StructuredReport* items_;
};

}  // namespace ostrel
