// Every platform call a report makes, in turn, fails or raises: the report still holds every
// section title in order, shows where the fault was, and leaves nothing open. (The sanitize build
// runs this under LeakSanitizer, which catches what is not released.)
#include "tests/doubles/fault_injecting_spooler.h"
#include "tests/common/section_titles.h"
#include "tests/unit/report/scripted_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>

namespace ostrel {
namespace {

using testing::LinesOf;

const std::vector<std::string> FixedTitles(std::begin(testing::FixedSectionTitles),
                                            std::end(testing::FixedSectionTitles));
const std::string CurrentTitle = "- Current DEVMODE (TPrinter) -";

// Calls whose failure, at either step of a query, a report must show as a marker. The others fail
// quietly by design: a close after the report is done, an unlock, a missing Win.ini entry, a
// message text, and a capability array's filling call, whose answer is not looked at.
const std::set<std::string> QueriesTheReportShows = {"OpenPrinterA", "GetPrinterA", "GetPrinterDriverA",
                                                     "DocumentPropertiesA"};

struct Fixture {
    const char* file;
    const char* entry;
};

const Fixture Fixtures[] = {
    {"office-laser.json", "Office Laser"},  // the current printer: all 18 sections
    {"wine-office-ps.json", "Office-PS"},
    {"broken-driver.json", "Broken Driver"},
};

struct FaultyRun {
    std::vector<std::string> lines;
    std::vector<std::string> calls;
    int openHandles = 0;
};

FaultyRun BuildWithFault(const Fixture& fixture, std::size_t call, InjectedFault fault)
{
    ScriptedSpooler scripted;
    scripted.LoadFile(std::string(OSTREL_FIXTURES) + "/printers/" + fixture.file);
    FaultInjectingSpooler spooler(scripted);
    spooler.InjectAt(call, fault);
    MemoryDocument document;
    ReportBuilder(spooler, document).MakeReport(fixture.entry);
    EXPECT_EQ(document.UpdateDepth(), 0);
    return {LinesOf(document.Text()), spooler.Calls(), scripted.OpenHandles()};
}

std::vector<std::string> TitlesOf(const std::vector<std::string>& lines)
{
    std::vector<std::string> titles;
    for (const std::string& line : lines)
        if (line.size() > 4 && line.rfind("- ", 0) == 0 && line.substr(line.size() - 2) == " -")
            titles.push_back(line);
    return titles;
}

bool IsMarkerLine(const std::string& line)
{
    for (const char* marker : {"*** NOT SUPPORTED ***", "*** EXCEPTION OCCURRED ***", "*** CANNOT OPEN PRINTER ***"})
        if (line.find(marker) != std::string::npos)
            return true;
    return false;
}

// The fault shows where it happened: the report is the clean one (the clean run already showed a
// marker there), or the first line that differs from it is a marker line.
::testing::AssertionResult MarkedWhereItDiffers(const std::vector<std::string>& run,
                                                const std::vector<std::string>& clean)
{
    const auto differs = std::mismatch(run.begin(), run.end(), clean.begin(), clean.end());
    if (differs.first == run.end() && differs.second == clean.end())
        return ::testing::AssertionSuccess();
    if (differs.first != run.end() && IsMarkerLine(*differs.first))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "first difference, line " << (differs.first - run.begin()) + 1 << ": \""
                                         << (differs.first != run.end() ? *differs.first : "(end)") << "\" where the clean report has \""
                                         << (differs.second != clean.end() ? *differs.second : "(end)") << "\"";
}

TEST(FaultInjection, EveryCallFailingOrRaisingInTurnLeavesACompleteReport)
{
    for (const Fixture& fixture : Fixtures) {
        const FaultyRun clean = BuildWithFault(fixture, 0, InjectedFault::Fail);
        ASSERT_GT(clean.calls.size(), 40u) << fixture.file;
        EXPECT_EQ(clean.openHandles, 0);
        const std::vector<std::string> cleanTitles = TitlesOf(clean.lines);
        const bool current = std::find(cleanTitles.begin(), cleanTitles.end(), CurrentTitle) != cleanTitles.end();

        for (std::size_t call = 1; call <= clean.calls.size(); ++call) {
            const std::string& name = clean.calls[call - 1];
            for (const InjectedFault fault : {InjectedFault::Fail, InjectedFault::Raise}) {
                const bool raise = fault == InjectedFault::Raise;
                SCOPED_TRACE(std::string(fixture.file) + ": call " + std::to_string(call) + " " + name +
                             (raise ? " raises" : " fails"));
                const FaultyRun run = BuildWithFault(fixture, call, fault);

                std::vector<std::string> titles = TitlesOf(run.lines);
                const bool hasCurrent = std::erase(titles, CurrentTitle) > 0;
                EXPECT_EQ(titles, FixedTitles);
                // Only a fault in asking the printer object may take the Current section away.
                if (current && name.rfind("GetCurrentPrinter", 0) != 0) {
                    EXPECT_TRUE(hasCurrent);
                }

                // The printer is closed unless closing it was the faulty call.
                EXPECT_EQ(run.openHandles, name == "ClosePrinter" ? 1 : 0);

                if (raise || QueriesTheReportShows.count(name) != 0) {
                    EXPECT_TRUE(MarkedWhereItDiffers(run.lines, clean.lines));
                }
            }
        }
    }
}

TEST(FaultInjection, DecoratorPassesThroughAndFaultsOnlyTheChosenCall)
{
    ScriptedSpooler scripted;
    scripted.Load(Json{{"printers", Json::array({Json{{"name", "P"}, {"capabilities", {{"DC_COPIES", 7}}}}})}},
                  "test");
    FaultInjectingSpooler spooler(scripted);
    spooler.InjectAt(2, InjectedFault::Fail);
    EXPECT_EQ(spooler.DeviceCapabilitiesA("P", "", DC_COPIES, nullptr, 0), 7);
    EXPECT_EQ(spooler.DeviceCapabilitiesA("P", "", DC_COPIES, nullptr, 0), -1);
    EXPECT_EQ(spooler.GetLastError(), FaultInjectingSpooler::InjectedError);
    EXPECT_EQ(spooler.DeviceCapabilitiesA("P", "", DC_COPIES, nullptr, 0), 7);

    spooler.InjectAt(1, InjectedFault::Raise);
    PrinterHandle handle = nullptr;
    EXPECT_THROW(spooler.OpenPrinterA("P", &handle, nullptr), InjectedFaultError);
    EXPECT_EQ(scripted.OpenHandles(), 0);
    EXPECT_EQ(spooler.Calls(), (std::vector<std::string>{"DeviceCapabilitiesA", "DeviceCapabilitiesA",
                                                         "GetLastError", "DeviceCapabilitiesA", "OpenPrinterA"}));
}

}  // namespace
}  // namespace ostrel
