#include "tests/unit/report/scripted_printer.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

using testing::LinesOf;
using testing::ScriptedReport;

TEST(ReportBuilder, DeviceNameIsWhatStandsBeforeTheFirstFullStopAndBlank)
{
    const struct {
        const char* entry;
        const char* device;
    } cases[] = {
        {"Laser. LPT1:", "Laser"}, {"Laser", "Laser"}, {". LPT1:", ". LPT1:"},
        {"A. B. C", "A"},          {"", ""},           {"\\\\server\\Laser", "\\\\server\\Laser"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DeviceNameOfEntry(c.entry), c.device) << c.entry;
}

TEST(ReportBuilder, PortIsTheDevicesValueAfterItsFirstComma)
{
    EXPECT_EQ(PortNameOfDevicesValue("winspool,LPT1:,COM1:"), "LPT1:,COM1:");
    EXPECT_EQ(PortNameOfDevicesValue("LPT1:"), "LPT1:");
    EXPECT_EQ(PortNameOfDevicesValue(""), "");
}

TEST(ReportBuilder, PortFromWinIniReachesTheReportNames)
{
    ScriptedReport report(Json{{"devices", "winspool,Ne00:,Ne01:"}});
    const PrinterNames names = ReportBuilder(report.spooler, report.document).MakeReport("P. Ne00:");
    EXPECT_EQ(names.deviceName, "P");
    EXPECT_EQ(names.portName, "Ne00:,Ne01:");
}

TEST(ReportBuilder, OpenFailureStandsBetweenCapabilitiesAndPrinterInformation)
{
    ScriptedReport report(Json{{"open_error", 5}}, Json{{"messages", {{"5", "Access is denied."}}}});
    const std::vector<std::string> lines = report.Build();
    const auto failure = std::find(lines.begin(), lines.end(), "*** CANNOT OPEN PRINTER ***: 5: Access is denied.");
    ASSERT_NE(failure, lines.end());
    EXPECT_EQ(failure[-1], "DC_MEDIATYPES[XP]        : *** NOT SUPPORTED ***");
    EXPECT_EQ(failure[1], "");
    EXPECT_EQ(failure[2], "- PRINTER_INFO_1 -");
    // A plain line: the marker passes leave it alone.
    const int at = report.document.Find("*** CANNOT OPEN PRINTER ***", 0, report.document.TextLength());
    EXPECT_EQ(report.document.FormatAt(at), MemoryDocument::DefaultFormat());
}

TEST(ReportBuilder, UnknownPrinterWithoutMessageTextEndsAfterTheCode)
{
    ScriptedReport report(Json::object());
    const std::vector<std::string> lines = report.Build("Nobody");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "*** CANNOT OPEN PRINTER ***: 1801: "), lines.end());
}

TEST(ReportBuilder, EverySectionTitleAppearsInOrderEvenForAnEmptyEntry)
{
    ScriptedReport report(Json::object(), Json{{"current_printer", {{"name", "P"}}}});
    std::vector<std::string> titles;
    for (const std::string& line : report.Build(""))
        if (line.rfind("- ", 0) == 0)
            titles.push_back(line);
    EXPECT_EQ(titles, (std::vector<std::string>{
                          "- Ostrel -", "- PRINTER_INFO_1 -", "- PRINTER_INFO_2 -", "- PRINTER_INFO_4 [NT3.5] -",
                          "- PRINTER_INFO_5 [95,NT4] -", "- PRINTER_INFO_6 [NT4] -", "- PRINTER_INFO_7 [2000] -",
                          "- DRIVER_INFO_1 -", "- DRIVER_INFO_2 -", "- DRIVER_INFO_3 [95,NT4] -",
                          "- DRIVER_INFO_4 [2000] -", "- DRIVER_INFO_5 [2000] -", "- DRIVER_INFO_6 [Me,2000] -",
                          "- Default DEVMODE (PRINTER_INFO_2) -", "- User default DEVMODE (PRINTER_INFO_8 [2000]) -",
                          "- Global default DEVMODE (PRINTER_INFO_9 [2000]) -", "- DEVMODE (DocumentProperties) -",
                      }));
}

TEST(ReportBuilder, RebuildingReplacesTheReportAndLeavesNothingOpen)
{
    ScriptedReport report(Json{{"capabilities", {{"DC_COPIES", 3}}}});
    const std::vector<std::string> first = report.Build();
    const std::vector<std::string> second = report.Build();
    EXPECT_EQ(first, second);
    EXPECT_EQ(report.document.SelectionStart(), 0);
    EXPECT_EQ(report.document.SelectionLength(), 0);
    EXPECT_EQ(report.document.UpdateDepth(), 0);
    EXPECT_EQ(report.spooler.OpenHandles(), 0);

    // Every marker is styled once the build is done, also where it stands as an item value.
    const std::string marker = "*** NOT SUPPORTED ***";
    int count = 0;
    for (int at = report.document.Find(marker, 0, report.document.TextLength()); at >= 0;
         at = report.document.Find(marker, at + 1, report.document.TextLength()), ++count)
        EXPECT_EQ(report.document.FormatAt(at).color, ColorRed);
    EXPECT_GT(count, 30);
}

TEST(ReportBuilder, FullDocumentRaisesTheInsertErrorAndStillClosesEverything)
{
    ScriptedSpooler spooler;
    spooler.Load(Json{{"printers", Json::array({Json{{"name", "P"}}})}}, "test");
    MemoryDocument document(200);
    EXPECT_THROW(ReportBuilder(spooler, document).MakeReport("P"), std::runtime_error);
    EXPECT_EQ(document.UpdateDepth(), 0);
    EXPECT_EQ(spooler.OpenHandles(), 0);
}

}  // namespace
}  // namespace ostrel
