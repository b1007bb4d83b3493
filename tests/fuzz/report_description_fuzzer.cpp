// Reports from fuzzed printer description files: the description parser, then the printer list
// and a report for each of its printers (and for an entry no printer has), through the same
// builder the windows use. Whatever the file holds, loading either fails with a message or gives
// printers whose reports keep every rule of tests/fuzz/report_checks.h and close every handle.
#include "platform/portable/scripted_spooler.h"
#include "platform/printer_list.h"
#include "tests/fuzz/report_checks.h"

#include <cstddef>
#include <cstdint>
#include <exception>

namespace {

// Enough to reach every printer of a seed; more only repeats the same code.
constexpr std::size_t ReportsPerInput = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ostrel;
    const Json description = Json::parse(data, data + size, nullptr, false);
    if (description.is_discarded())
        return -1;

    ScriptedSpooler spooler;
    try {
        spooler.Load(description, "fuzz");
    } catch (const std::exception&) {
        return 0;  // a description that does not load is refused with a message, as it should be
    }

    PrinterList printers(spooler);
    std::vector<std::string> entries = printers.Entries();
    entries.resize(std::min(entries.size(), ReportsPerInput));
    entries.push_back("No Such Printer");
    for (const std::string& entry : entries) {
        fuzz::CheckReport(spooler, entry);
        fuzz::Require(spooler.OpenHandles() == 0, "every printer opened is closed");
    }
    return 0;
}
