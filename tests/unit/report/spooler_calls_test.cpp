// Which platform calls a report makes: loading the printer object's device mode costs the driver
// an open and four round trips, so a report asks for it only when it shows the Current section.
#include "tests/doubles/fault_injecting_spooler.h"
#include "tests/unit/report/scripted_printer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ostrel {
namespace {

TEST(SpoolerCalls, CurrentDeviceModeIsAskedForOnlyForTheCurrentPrinter)
{
    ScriptedSpooler scripted;
    scripted.LoadFile(std::string(OSTREL_FIXTURES) + "/printers/office-laser.json");
    scripted.Load(Json{{"printers", Json::array({Json{{"name", "Other"}}})}}, "test");
    const struct {
        const char* entry;
        bool asksForDeviceMode;
    } cases[] = {{"Office Laser", true}, {"Other", false}, {"office laser", false}};
    for (const auto& c : cases) {
        FaultInjectingSpooler spooler(scripted);
        MemoryDocument document;
        ReportBuilder(spooler, document).MakeReport(c.entry);
        const std::vector<std::string>& calls = spooler.Calls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "GetCurrentPrinterName"), 1) << c.entry;
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "GetCurrentPrinter"), c.asksForDeviceMode ? 1 : 0) << c.entry;
        EXPECT_EQ(document.Text().find("- Current DEVMODE (TPrinter) -") != std::string::npos, c.asksForDeviceMode)
            << c.entry;
    }
}

}  // namespace
}  // namespace ostrel
