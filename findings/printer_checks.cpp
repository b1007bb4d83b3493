// Checks of the printer as the spooler keeps it: its port and its state.
#include "findings/check_kit.h"

namespace ostrel {

void DefaultPort(const ReportFacts& facts, std::vector<Hit>& hits)
{
    if (facts.devicesPort.empty() || !facts.printerInfo2 || facts.devicesPort == facts.printerInfo2->portName)
        return;
    hits.push_back({"the \"devices\" entry gives port \"" + facts.devicesPort + "\", PRINTER_INFO_2 gives \"" +
                    facts.printerInfo2->portName + "\""});
}

void StatusError(const ReportFacts& facts, std::vector<Hit>& hits)
{
    // Paused, error, pending deletion, paper jam, paper out, paper problem, offline, output bin full,
    // not available, no toner, user intervention, out of memory, door open, server unknown: each
    // keeps jobs from printing.
    constexpr DWORD Stopping = 0x1 | 0x2 | 0x4 | 0x8 | 0x10 | 0x40 | 0x80 | 0x800 | 0x1000 | 0x40000 | 0x100000 |
                               0x200000 | 0x400000 | 0x800000;
    if (!facts.printerInfo2)
        return;
    const DWORD stopping = facts.printerInfo2->status & Stopping;
    if (stopping == 0)
        return;
    std::string names;
    for (const NameEntry* entry = PrinterStatusNames; entry->name != nullptr; ++entry)
        if ((stopping & static_cast<DWORD>(entry->value)) != 0)
            names += std::string(names.empty() ? "" : ", ") + entry->name;
    hits.push_back({"the printer's status keeps jobs from printing: " + names});
}

void NotOpened(const ReportFacts& facts, std::vector<Hit>& hits)
{
    if (!facts.opened)
        hits.push_back({"the printer \"" + facts.deviceName +
                        "\" could not be opened: its records and device modes are missing from the report"});
}

}  // namespace ostrel
