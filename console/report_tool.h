// The console tool: builds the report a report window shows, through the same builder, and writes
// it to standard output or to files.
#pragma once

#include "platform/spooler.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace ostrel {

// Exit statuses of the tool.
constexpr int ExitOk = 0;
constexpr int ExitFileError = 1;
constexpr int ExitUsage = 2;
// The report (or snapshot) was written, and it says a printer could not be opened.
constexpr int ExitPrinterNotOpened = 3;
constexpr int ExitDifferent = 4;  // --compare: the two reports differ
// 5: --findings --fail-on LEVEL met a finding at or above LEVEL.
constexpr int ExitFindingsAtLevel = 5;

// The system's spooler, or null where there is none (the native build): then --printers is required.
using SystemSpoolerFactory = std::function<std::unique_ptr<Spooler>()>;

int RunReportTool(const std::vector<std::string>& arguments, const SystemSpoolerFactory& systemSpooler,
                  std::ostream& out, std::ostream& err);

}  // namespace ostrel
