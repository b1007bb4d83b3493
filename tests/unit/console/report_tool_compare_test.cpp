#include "console/report_tool.h"
#include "platform/portable/description_values.h"
#include "tests/unit/console/tool_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace ostrel {
namespace {

const std::string Fixtures = std::string(OSTREL_FIXTURES) + "/printers/";

struct ReportToolCompareTest : ToolFolderTest {
    ReportToolCompareTest() : ToolFolderTest("ostrel-compare-") {}
};

Json Devmode(const std::string& extra)
{
    return {{"dmDeviceName", "P"}, {"dmSpecVersion", 1025}, {"dmFields", 2}, {"dmPaperSize", 9}, {"extra", extra}};
}

// A small printer "P": three papers, one printer record, a device mode.
Json SmallPrinter()
{
    return {{"name", "P"},
            {"capabilities",
             {{"DC_PAPERNAMES", {"Letter", "A4", "Legal"}},
              {"DC_PAPERS", {1, 9, 5}},
              {"DC_PAPERSIZE", {{2159, 2794}, {2100, 2970}, {2159, 3556}}},
              {"DC_COPIES", 999}}},
            {"printer_info", {{"2", {{"pPrinterName", "P"}, {"pPortName", "LPT1:"}, {"Priority", 1}}}}},
            {"document_properties", {{"devmode", Devmode("0102")}}}};
}

Json Renamed(Json printer, const char* name, const char* devices = nullptr)
{
    printer["name"] = name;
    printer["printer_info"]["2"]["pPrinterName"] = name;
    if (devices != nullptr)
        printer["devices"] = devices;
    return printer;
}

Json Description(const Json& printer)
{
    return {{"system", {{"current_printer", nullptr}}}, {"printers", Json::array({printer})}};
}

TEST_F(ReportToolCompareTest, DifferencesAreGroupedBySectionAndLabel)
{
    const struct {
        const char* name;
        std::function<void(Json&)> change;
        int status;
        const char* out;
    } cases[] = {
        {"equal", [](Json&) {}, ExitOk, "Same.\r\n"},
        {"scalar changed", [](Json& p) { p["capabilities"]["DC_COPIES"] = 99; }, ExitDifferent,
         "- Ostrel -\r\n"
         "DC_COPIES                : 999 papers  |  99 papers\r\n"},
        {"paper added, removed, renamed",
         [](Json& p) {
             p["capabilities"]["DC_PAPERNAMES"] = {"Letter", "A4 Plain", "A5"};
             p["capabilities"]["DC_PAPERS"] = {1, 9, 11};
             p["capabilities"]["DC_PAPERSIZE"] = {{2159, 2794}, {2100, 2970}, {1480, 2100}};
         },
         ExitDifferent,
         "- Ostrel -\r\n"
         "DC_PAPERS                : changed: [    9:DMPAPER_A4                           ]  2100 *  2970 (0.1mm) A4"
         "  |  [    9:DMPAPER_A4                           ]  2100 *  2970 (0.1mm) A4 Plain\r\n"
         "                         : only in A: [    5:DMPAPER_LEGAL                        ]  2159 *  3556 (0.1mm) Legal\r\n"
         "                         : only in B: [   11:DMPAPER_A5                           ]  1480 *  2100 (0.1mm) A5\r\n"},
        {"section not supported on one side", [](Json& p) { p["printer_info"]["2"] = {{"error", 124}}; },
         ExitDifferent,
         // Every item of the section on one side, the marker on the other; the device mode of the
         // record goes with it.
         "- PRINTER_INFO_2 -\r\n"
         "pServerName              : only in A: \r\n"
         "pPrinterName             : only in A: P\r\n"
         "pShareName               : only in A: \r\n"
         "pPortName                : only in A: LPT1:\r\n"
         "pDriverName              : only in A: \r\n"
         "pComment                 : only in A: \r\n"
         "pLocation                : only in A: \r\n"
         "pSepFile                 : only in A: \r\n"
         "pPrintProcessor          : only in A: \r\n"
         "pDataType                : only in A: \r\n"
         "pParameters              : only in A: \r\n"
         "Attributes               : only in A: 0x00000000: (null)\r\n"
         "Priority                 : only in A: 1 level\r\n"
         "DefaultPriority          : only in A: 0 level\r\n"
         "StartTime                : only in A: 0 min. since 12:00AM GMT\r\n"
         "UntilTime                : only in A: 0 min. since 12:00AM GMT\r\n"
         "Status                   : only in A: 0x00000000: (null)\r\n"
         "cJobs                    : only in A: 0 jobs queued\r\n"
         "AveragePPM               : only in A: 0 pages per min.\r\n"
         "                         : only in B: *** NOT SUPPORTED ***\r\n"
         "\r\n"
         "- Default DEVMODE (PRINTER_INFO_2) -\r\n"
         "                         : (null)  |  *** NOT SUPPORTED ***\r\n"},
        {"device-mode sizes", [](Json& p) { p["document_properties"]["devmode"] = Devmode("01020304"); },
         ExitDifferent,
         "- DEVMODE (DocumentProperties) -\r\n"
         "dmDriverExtra            : 2 bytes  |  4 bytes\r\n"
         "Extra                    : only in A: 0000 (009C) : 01 02                                           : ..\r\n"
         "                         : only in B: 0000 (009C) : 01 02 03 04                                     : ....\r\n"},
    };
    const std::string a = Write("a.json", Description(SmallPrinter()));
    for (const auto& c : cases) {
        Json printer = SmallPrinter();
        c.change(printer);
        const std::string b = Write("b.json", Description(printer));
        const ToolRun run = RunTool({"--compare", a + ":P", b + ":P"});
        EXPECT_EQ(run.status, c.status) << c.name << run.err;
        EXPECT_EQ(run.out, c.out) << c.name;
    }
}

TEST_F(ReportToolCompareTest, PlainEntriesComeFromThePrinterFilesAndFilesNeedNoSystem)
{
    const std::string file = Write("two.json", Json{{"printers", Json::array({SmallPrinter(), Renamed(SmallPrinter(), "Q")})}});
    EXPECT_EQ(RunTool({"--printers", file, "--compare", "P", file + ":P"}).out, "Same.\r\n");
    const ToolRun differ = RunTool({"--printers", file, "--compare", "P", "Q"});
    EXPECT_EQ(differ.status, ExitDifferent);
    EXPECT_NE(differ.out.find("\r\npPrinterName             : P  |  Q\r\n"), std::string::npos) << differ.out;

    const ToolRun noSystem = RunTool({"--compare", "P", file + ":P"});
    EXPECT_EQ(noSystem.status, ExitUsage);
    const ToolRun missing = RunTool({"--compare", (folder / "none.json:P").string(), file + ":P"});
    EXPECT_EQ(missing.status, ExitUsage);
    EXPECT_EQ(RunTool({"--compare", file + ":P"}).status, ExitUsage);
    EXPECT_EQ(RunTool({"--compare", file + ":P", file + ":P", "-o", "x"}).status, ExitUsage);
}

// A whole system into one file, rendered back printer by printer exactly as from the original.
TEST_F(ReportToolCompareTest, SnapshotOfAllPrintersRendersAsTheOriginal)
{
    const std::string original = Write(
        "fleet.json", Json{{"system", {{"messages", {{"5", "Access is denied."}}}}},
                           {"printers", Json::array({SmallPrinter(), Json{{"name", "Closed"}, {"open_error", 5}},
                                                     Renamed(SmallPrinter(), "Q", "x,LPT2:")})}});
    const std::string snapshot = (folder / "snapshot.json").string();
    const ToolRun taken = RunTool({"--printers", original, "--snapshot", "--all", "-o", snapshot});
    // The printer that cannot be opened is recorded as such, and said so.
    ASSERT_EQ(taken.status, ExitPrinterNotOpened) << taken.err;
    EXPECT_EQ(Json::parse(ReadFile(snapshot))["printers"].size(), 3u);

    const ToolRun before = RunTool({"--printers", original, "--all"});
    const ToolRun after = RunTool({"--printers", snapshot, "--all"});
    EXPECT_EQ(after.status, ExitPrinterNotOpened) << after.err;
    EXPECT_EQ(after.out, before.out);
    for (const char* entry : {"P", "Closed", "Q. LPT2:"})
        EXPECT_EQ(RunTool({"--printers", original, "--compare", entry, snapshot + ":" + entry}).out, "Same.\r\n") << entry;

    EXPECT_EQ(RunTool({"--printers", original, "--printers", original, "--snapshot", "--all"}).status, ExitUsage);
    EXPECT_EQ(RunTool({"--printers", original, "--snapshot", "--all", "P"}).status, ExitUsage);
}

TEST_F(ReportToolCompareTest, JsonReportsForOneAndForAll)
{
    const std::string file = Fixtures + "office-laser.json";
    const ToolRun one = RunTool({"--printers", file, "--format", "json", "Office Laser"});
    ASSERT_EQ(one.status, ExitOk) << one.err;
    const Json report = Json::parse(one.out);
    EXPECT_EQ(report["entry"], "Office Laser");
    EXPECT_EQ(report["sections"][0]["title"], "Ostrel");

    const ToolRun all = RunTool({"--printers", file, "--printers", Fixtures + "wine-office-ps.json", "--format", "json", "--all"});
    ASSERT_EQ(all.status, ExitOk) << all.err;
    EXPECT_EQ(Json::parse(all.out)["reports"].size(), 2u);
    EXPECT_EQ(Json::parse(all.out)["reports"][0], report);

    const ToolRun files = RunTool({"--printers", file, "--format", "json", "--all", "-o", (folder / "out").string()});
    ASSERT_EQ(files.status, ExitOk) << files.err;
    EXPECT_EQ(Json::parse(ReadFile(folder / "out" / "Office Laser.json")), report);

    EXPECT_EQ(RunTool({"--printers", file, "--format", "xml", "Office Laser"}).status, ExitUsage);
    EXPECT_EQ(RunTool({"--printers", file, "--format", "json", "--list"}).status, ExitUsage);
}

}  // namespace
}  // namespace ostrel
