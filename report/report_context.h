// What the sections of one report build share: the spooler, the writer, the printer's names, its
// handle (null when it could not be opened), and where to keep what they read (null: nowhere).
#pragma once

#include "platform/spooler.h"
#include "report/report_facts.h"
#include "report/report_writer.h"

#include <string>

namespace ostrel {

struct ReportContext {
    Spooler& spooler;
    ReportWriter& writer;
    std::string deviceName;
    std::string portName;
    PrinterHandle printer = nullptr;
    ReportFacts* facts = nullptr;
};

// Runs body; any exception it raises, including a check on returned data that failed, becomes the
// exception marker line, and the report goes on after the guarded block.
template <class Body>
void Guarded(ReportWriter& writer, Body&& body)
{
    try {
        body();
    } catch (...) {
        writer.AddExceptionOccurred();
    }
}

}  // namespace ostrel
