#include "app/report_tool.h"
#include "platform/portable/scripted_spooler.h"
#include "report/printer_snapshot.h"
#include "report/save_format.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace ostrel {
namespace {

namespace fs = std::filesystem;

const std::string Fixture = std::string(OSTREL_FIXTURES) + "/printers/office-laser.json";

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun RunTool(std::vector<std::string> arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunReportTool(arguments, nullptr, out, err);
    return {status, out.str(), err.str()};
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

struct ReportToolTest : ::testing::Test {
    fs::path folder = fs::temp_directory_path() / ("ostrel-tool-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }
};

TEST_F(ReportToolTest, UsageErrorsNameWhatIsWrong)
{
    const struct {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{"--printers", Fixture}, "give --list, --all or a printer entry"},
        {{"--printers", Fixture, "--list", "A"}, "give only one of"},
        {{"--printers", Fixture, "A", "B"}, "more than one printer entry"},
        {{"--printers", Fixture, "--frobnicate"}, "unknown option --frobnicate"},
        {{"--printers", Fixture, "A", "-o"}, "-o needs"},
        {{"--printers"}, "--printers needs"},
        {{"Office Laser"}, "give --printers FILE"},
        {{"--printers", Fixture, "--snapshot"}, "--snapshot needs exactly one printer entry"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool(c.arguments);
        EXPECT_EQ(run.status, ExitUsage) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("usage:"), std::string::npos);
    }
}

TEST_F(ReportToolTest, ListsAndReportsFromDescriptionFiles)
{
    const ToolRun list = RunTool({"--printers", Fixture, "--list"});
    EXPECT_EQ(list.status, ExitOk);
    EXPECT_EQ(list.out, "Office Laser\n");

    const ToolRun report = RunTool({"--printers", Fixture, "office laser"});
    EXPECT_EQ(report.status, ExitOk);
    EXPECT_EQ(report.out.rfind("- Ostrel -\r\n\r\nDC_FIELDS", 0), 0u);
    EXPECT_EQ(report.out.find('\n'), report.out.find("\r\n") + 1);
}

TEST_F(ReportToolTest, OutputFormatFollowsTheExtension)
{
    EXPECT_EQ(SaveFormatOf("a.rtf"), SaveFormat::RichText);
    EXPECT_EQ(SaveFormatOf("A.RtF"), SaveFormat::RichText);
    EXPECT_EQ(SaveFormatOf("a.rtf.txt"), SaveFormat::PlainText);
    EXPECT_EQ(SaveFormatOf("rtf"), SaveFormat::PlainText);

    ASSERT_EQ(RunTool({"--printers", Fixture, "-o", (folder / "r.RTF").string(), "Office Laser"}).status, ExitOk);
    EXPECT_EQ(ReadFile(folder / "r.RTF").rfind("{\\rtf1", 0), 0u);
    ASSERT_EQ(RunTool({"--printers", Fixture, "-o", (folder / "r.log").string(), "Office Laser"}).status, ExitOk);
    EXPECT_EQ(ReadFile(folder / "r.log").rfind("- Ostrel -\r\n", 0), 0u);

    ASSERT_EQ(RunTool({"--printers", Fixture, "--all", "-o", (folder / "all").string()}).status, ExitOk);
    EXPECT_EQ(ReadFile(folder / "all" / "Office Laser.txt"), ReadFile(folder / "r.log"));
}

TEST_F(ReportToolTest, UnwritableFileFailsAndLeavesTheOldFileAlone)
{
    const fs::path kept = folder / "kept.txt";
    std::ofstream(kept) << "old";
    fs::create_directory(folder / "kept.txt.partial");  // the file beside it cannot be created
    for (const fs::path& target : {kept, folder / "missing" / "x.txt"}) {
        const ToolRun run = RunTool({"--printers", Fixture, "-o", target.string(), "Office Laser"});
        EXPECT_EQ(run.status, ExitFileError);
        EXPECT_NE(run.err.find("cannot write " + target.string()), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReadFile(kept), "old");
}

TEST_F(ReportToolTest, BrokenDescriptionFileIsNamed)
{
    std::ofstream(folder / "bad.json") << R"({"printers": [{"name": "P", "capabilities": {"DC_NOPE": 1}}]})";
    const ToolRun run = RunTool({"--printers", (folder / "bad.json").string(), "--list"});
    EXPECT_EQ(run.status, ExitFileError);
    EXPECT_NE(run.err.find("bad.json"), std::string::npos);
    EXPECT_NE(run.err.find("unknown capability DC_NOPE"), std::string::npos);
}

// A snapshot renders the very report of the printer it was taken from.
TEST_F(ReportToolTest, SnapshotRendersTheSameReport)
{
    ASSERT_EQ(RunTool({"--printers", Fixture, "--snapshot", "Office Laser", "-o", (folder / "snap.json").string()}).status,
              ExitOk);
    const ToolRun original = RunTool({"--printers", Fixture, "Office Laser"});
    const ToolRun copy = RunTool({"--printers", (folder / "snap.json").string(), "Office Laser"});
    EXPECT_EQ(copy.status, ExitOk) << copy.err;
    EXPECT_EQ(copy.out, original.out);
}

}  // namespace
}  // namespace ostrel

namespace ostrel {
namespace {

// A printer captured under Wine from a CUPS queue with a real PPD, and the report the Windows
// program gave for it: the native rendering must not drift from it by a byte.
TEST(CapturedPrinters, RenderExactlyTheReportTheWindowsProgramGave)
{
    const std::string base = std::string(OSTREL_FIXTURES) + "/printers/wine-office-ps";
    const ToolRun run = RunTool({"--printers", base + ".json", "Office-PS"});
    EXPECT_EQ(run.status, ExitOk) << run.err;
    EXPECT_EQ(run.out, ReadFile(base + ".txt"));
}

TEST(CapturedPrinters, BrokenDriverGivesMarkersAndNeverAFailure)
{
    const ToolRun run = RunTool({"--printers", std::string(OSTREL_FIXTURES) + "/printers/broken-driver.json",
                                 "Broken Driver"});
    EXPECT_EQ(run.status, ExitOk) << run.err;
    std::size_t markers = 0;
    for (std::size_t at = run.out.find("*** EXCEPTION OCCURRED ***\r\n"); at != std::string::npos;
         at = run.out.find("*** EXCEPTION OCCURRED ***\r\n", at + 1))
        ++markers;
    EXPECT_EQ(markers, 11u);
    EXPECT_EQ(run.out.find("- Current DEVMODE"), std::string::npos);
}

}  // namespace
}  // namespace ostrel
