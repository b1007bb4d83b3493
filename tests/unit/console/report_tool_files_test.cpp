// The tool over description files that users exchange: several at once, broken ones, and names
// typed on a UTF-8 command line.
#include "console/report_tool.h"
#include "platform/portable/description_values.h"
#include "tests/unit/console/tool_run.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ostrel {
namespace {

namespace fs = std::filesystem;

struct ReportToolFilesTest : ToolFolderTest {
    ReportToolFilesTest() : ToolFolderTest("ostrel-files-") {}
};

TEST_F(ReportToolFilesTest, BrokenListRecordCostsOnlyItsPrinter)
{
    const std::string file = Write(
        "broken.json",
        {{"printers", Json::array({{{"name", "A"}},
                                   {{"name", "B"}, {"printer_info", {{"4", {{"pPrinterName", "B"}, {"record_size", 4}}}}}},
                                   {{"name", "C"}}})}});
    const ToolRun list = RunTool({"--printers", file, "--list"});
    EXPECT_EQ(list.status, ExitOk);
    EXPECT_EQ(list.out, "A\nC\n");
    EXPECT_EQ(list.err, "ostrel-report: " + file +
                            ": printer \"B\": left out of the printer list: pointer outside the returned buffer\n");

    const ToolRun all = RunTool({"--printers", file, "--all", "-o", (folder / "all").string()});
    EXPECT_EQ(all.status, ExitOk) << all.err;
    EXPECT_EQ(all.err, list.err);
    EXPECT_TRUE(fs::exists(folder / "all" / "A.txt"));
    EXPECT_TRUE(fs::exists(folder / "all" / "C.txt"));
}

// Each printer is reported on the system of its own file: family, messages and current printer.
TEST_F(ReportToolFilesTest, EveryPrinterIsReportedOnTheSystemOfItsFile)
{
    const auto system = [](const char* family, const char* printer, int copies, const char* message) {
        return Json{{"family", family},
                    {"messages", {{"5", message}}},
                    {"current_printer", {{"name", printer}, {"devmode", {{"dmCopies", copies}}}}}};
    };
    const std::string first = Write("first.json", {{"system", system("nt", "A", 3, "First system.")},
                                                   {"printers", Json::array({{{"name", "A"}, {"open_error", 5}}})}});
    const std::string second = Write(
        "second.json", {{"system", system("95", "B", 7, "Second system.")},
                        {"printers", Json::array({{{"name", "B"}, {"devices", "b.drv,LPT2:"}, {"open_error", 5}}})}});

    EXPECT_EQ(RunTool({"--printers", first, "--printers", second, "--list"}).out, "A\nB. LPT2:\n");
    const struct {
        const char* entry;
        const char* openFailure;
        const char* copies;
        const char* otherCopies;
    } cases[] = {
        {"A", "*** CANNOT OPEN PRINTER ***: 5: First system.", "3 papers", "7 papers"},
        {"B. LPT2:", "*** CANNOT OPEN PRINTER ***: 5: Second system.", "7 papers", "3 papers"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool({"--printers", first, "--printers", second, c.entry});
        EXPECT_EQ(run.status, ExitPrinterNotOpened) << run.err;
        EXPECT_NE(run.out.find(c.openFailure), std::string::npos) << c.entry;
        const std::size_t current = run.out.find("- Current DEVMODE (TPrinter) -");
        ASSERT_NE(current, std::string::npos) << c.entry;
        EXPECT_NE(run.out.find(c.copies, current), std::string::npos) << c.entry;
        EXPECT_EQ(run.out.find(c.otherCopies), std::string::npos) << c.entry;
    }
}

// A capture keeps names in its code page; a Linux shell passes them as UTF-8.
TEST_F(ReportToolFilesTest, EntryTypedInUtf8FindsThePrinterOfTheCapturedName)
{
    const auto description = [](const std::string& name, Json system) {
        system["current_printer"] = {{"name", JsonStringOfBytes(name)}, {"devmode", {{"dmCopies", 4}}}};
        return Json{{"system", system}, {"printers", Json::array({{{"name", JsonStringOfBytes(name)}}})}};
    };
    const struct {
        std::string captured;
        Json system;
        std::string typed;
    } cases[] = {
        {"TbB\xFCro", Json::object(), "TbB\u00fcro"},
        {"\x80-Drucker \x9F", {{"code_page", 1252}}, "\u20ac-Drucker \u0178"},
        {"Caf\xE9", {{"code_page", 28591}}, "Caf\u00e9"},
    };
    for (const auto& c : cases) {
        const std::string file = Write("captured.json", description(c.captured, c.system));
        const ToolRun captured = RunTool({"--printers", file, c.captured});
        const ToolRun typed = RunTool({"--printers", file, c.typed});
        EXPECT_EQ(typed.status, ExitOk) << typed.err;
        EXPECT_NE(captured.out.find("Current DEVMODE"), std::string::npos) << c.typed;
        EXPECT_EQ(typed.out, captured.out) << c.typed;
        EXPECT_EQ(RunTool({"--printers", file, "--snapshot", c.typed}).out,
                  RunTool({"--printers", file, "--snapshot", c.captured}).out);
    }

    // A character the code page lacks spells no captured name.
    const std::string file = Write("japanese.json", description("TbB\xFCro", {{"code_page", 932}}));
    EXPECT_EQ(RunTool({"--printers", file, "TbB\u00fcro"}).out.find("Current DEVMODE"), std::string::npos);
}

// Names reach a Linux user as UTF-8 in the list, the file names, the headers of --all and the
// findings' lines; the reports keep the bytes of their code page.
TEST_F(ReportToolFilesTest, ListAndFileNamesAreUtf8AndReportsKeepTheirCodePage)
{
    const auto description = [](const std::string& name, DWORD codePage) {
        return Json{{"system", {{"code_page", codePage}}},
                    {"printers", Json::array({{{"name", JsonStringOfBytes(name)},
                                               {"capabilities", {{"DC_FIELDS", 0}, {"DC_SIZE", 0}}},
                                               {"printer_info", {{"2", {{"pPrinterName", JsonStringOfBytes(name)}}}}}}})}};
    };
    const std::string japanese = Write("japanese.json", description("\x83\x76\x83\x8a\x83\x93\x83\x5e", 932));
    const std::string western = Write("western.json", description("B\xFCro \x80", 1252));

    const ToolRun list = RunTool({"--printers", japanese, "--printers", western, "--list"});
    EXPECT_EQ(list.status, ExitOk) << list.err;
    EXPECT_EQ(list.out, "\u30d7\u30ea\u30f3\u30bf\nB\u00fcro \u20ac\n");

    ASSERT_EQ(RunTool({"--printers", japanese, "--printers", western, "--all", "-o", (folder / "all").string()}).status,
              ExitOk);
    const std::string japaneseReport = ReadFile(folder / "all" / "\u30d7\u30ea\u30f3\u30bf.txt");
    EXPECT_NE(japaneseReport.find("pPrinterName             : \x83\x76\x83\x8a\x83\x93\x83\x5e"), std::string::npos)
        << japaneseReport;
    EXPECT_NE(ReadFile(folder / "all" / "B\u00fcro \u20ac.txt").find(": B\xFCro \x80"), std::string::npos);

    const ToolRun all = RunTool({"--printers", japanese, "--all"});
    EXPECT_EQ(all.out.substr(0, all.out.find('\n') + 1), "==> \u30d7\u30ea\u30f3\u30bf <==\r\n");
    EXPECT_NE(all.out.find("pPrinterName             : \x83\x76\x83\x8a\x83\x93\x83\x5e"), std::string::npos);
    const std::string findings = RunTool({"--printers", japanese, "--findings", "--all"}).out;
    EXPECT_TRUE(findings.starts_with(japanese + ": \u30d7\u30ea\u30f3\u30bf: warning driver-silent")) << findings;

    // The name typed as the list shows it finds the printer.
    const ToolRun typed = RunTool({"--printers", japanese, "\u30d7\u30ea\u30f3\u30bf"});
    EXPECT_EQ(typed.status, ExitOk) << typed.err;
    EXPECT_EQ(typed.out, RunTool({"--printers", japanese, "\x83\x76\x83\x8a\x83\x93\x83\x5e"}).out);
}

}  // namespace
}  // namespace ostrel
