#include "desktop/compare_sides.h"
#include "platform/portable/scripted_spooler.h"
#include "tests/unit/console/tool_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace ostrel {
namespace {

const std::string Fixtures = std::string(OSTREL_FIXTURES) + "/printers/";

struct CompareSidesTest : ToolFolderTest {
    CompareSidesTest() : ToolFolderTest("ostrel-compare-sides-") {}

    // One system with two printers: the office laser and the broken driver beside it.
    std::string TwoPrinters() const
    {
        Json description = Json::parse(std::ifstream(Fixtures + "office-laser.json"));
        const Json broken = Json::parse(std::ifstream(Fixtures + "broken-driver.json"));
        description["printers"].push_back(broken["printers"][0]);
        return Write("two.json", description);
    }
};

TEST(CompareSides, TheOtherPrintersAreTheListLessTheReportsOwn)
{
    const std::vector<std::string> entries{"A", "B", "\\\\server\\C", "a"};
    EXPECT_EQ(OtherPrinters(entries, "B"), (std::vector<std::string>{"A", "\\\\server\\C", "a"}));
    // Letter case tells printers apart here: the list holds each as the spooler spells it.
    EXPECT_EQ(OtherPrinters(entries, "A"), (std::vector<std::string>{"B", "\\\\server\\C", "a"}));
    EXPECT_EQ(OtherPrinters(entries, "gone"), entries);
    EXPECT_TRUE(OtherPrinters({"A"}, "A").empty());
}

TEST(CompareSides, TheCaptionSaysWhichSideIsWhich)
{
    EXPECT_EQ(SideName(L"Office-PS"), L"Office-PS");
    EXPECT_EQ(SideName(L"Office-PS", L"C:\\snaps\\monday.json"), L"Office-PS (monday.json)");
    EXPECT_EQ(SideName(L"P", L"/tmp/week/p.json"), L"P (p.json)");
    EXPECT_EQ(SideName(L"P", L"p.json"), L"P (p.json)");
    EXPECT_EQ(CompareCaption(L"Office-PS", L"CUPS-PDF"), L"比較 A: Office-PS / B: CUPS-PDF");
}

TEST_F(CompareSidesTest, AFilesPrintersAreListedAndComparedAsTheConsoleToolDoes)
{
    const std::string path = TwoPrinters();
    DescriptionFile file(path);
    EXPECT_EQ(file.Printers(), (std::vector<std::string>{"Office Laser", "Broken Driver"}));

    const SideReport laser = file.Report("Office Laser");
    const SideReport broken = file.Report("Broken Driver");
    ASSERT_FALSE(laser.openFailure);
    EXPECT_EQ(laser.items.entry, "Office Laser");
    const ToolRun run = RunTool({"--compare", path + ":Office Laser", path + ":Broken Driver"});
    ASSERT_EQ(run.status, ExitDifferent) << run.err;
    EXPECT_EQ(ComparisonText(laser.items, broken.items), run.out);
    EXPECT_EQ(ComparisonText(laser.items, laser.items), "Same.\r\n");
}

TEST_F(CompareSidesTest, APrinterTheFileDoesNotHoldSaysWhyItDidNotOpen)
{
    DescriptionFile file(TwoPrinters());
    const SideReport missing = file.Report("Nobody");
    ASSERT_TRUE(missing.openFailure);
    EXPECT_EQ(missing.openFailure->rfind("1801: ", 0), 0u) << *missing.openFailure;
}

// A refresh builds both sides again: the system's printer from its spooler, the file's from the
// file as it is now.
TEST_F(CompareSidesTest, ComparingAgainReadsTheSidesAgain)
{
    const std::string path = TwoPrinters();
    ScriptedSpooler system;
    system.LoadFile(Fixtures + "office-laser.json");
    const CompareSide live{"Office Laser", {}};
    const CompareSide fromFile{"Office Laser", path};
    EXPECT_EQ(ComparisonTextOfSides(live, fromFile, system), "Same.\r\n");

    Json description = Json::parse(std::ifstream(path));
    description["printers"][0]["capabilities"]["DC_COPIES"] = 2;
    Write("two.json", description);
    const ToolRun run = RunTool({"--compare", Fixtures + "office-laser.json:Office Laser", path + ":Office Laser"});
    ASSERT_EQ(run.status, ExitDifferent) << run.err;
    EXPECT_EQ(ComparisonTextOfSides(live, fromFile, system), run.out);

    std::filesystem::remove(path);
    const std::string gone = ComparisonTextOfSides(live, fromFile, system);
    EXPECT_EQ(gone.rfind("*** CANNOT COMPARE ***: ", 0), 0u) << gone;
    EXPECT_NE(gone.find(path), std::string::npos) << gone;
}

TEST_F(CompareSidesTest, AFileThatCannotBeReadIsNamedInTheError)
{
    const std::string notJson = (folder / "notes.json").string();
    std::ofstream(notJson) << "these are not printers";
    for (const std::string& path : {notJson, (folder / "absent.json").string()}) {
        try {
            DescriptionFile file(path);
            ADD_FAILURE() << path << " was read";
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
        }
    }
}

}  // namespace
}  // namespace ostrel
