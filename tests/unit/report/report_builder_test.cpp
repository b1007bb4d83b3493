#include "platform/forwarding_spooler.h"
#include "tests/unit/report/scripted_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

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

std::vector<std::string> Titles(const std::vector<std::string>& lines)
{
    std::vector<std::string> titles;
    for (const std::string& line : lines)
        if (line.rfind("- ", 0) == 0)
            titles.push_back(line);
    return titles;
}

// However full the document, the report ends whole: every title, and where lines could not be
// added a marker; what was added before the document filled up is the report's own beginning.
TEST(ReportBuilder, FullDocumentStillTakesEveryTitleAndMarker)
{
    const std::string fixture = std::string(OSTREL_FIXTURES) + "/printers/office-laser.json";
    ScriptedSpooler spooler;
    spooler.LoadFile(fixture);
    MemoryDocument whole;
    ReportBuilder(spooler, whole).MakeReport("Office Laser");
    const std::string full = whole.Text();
    const std::vector<std::string> titles = Titles(LinesOf(full));
    ASSERT_EQ(titles.size(), 18u);

    const std::string marker = "*** EXCEPTION OCCURRED ***";
    for (int capacity = 0; capacity < static_cast<int>(full.size()); capacity += 997) {
        MemoryDocument document(capacity);
        ASSERT_NO_THROW(ReportBuilder(spooler, document).MakeReport("Office Laser")) << capacity;
        const std::string text = document.Text();
        const std::vector<std::string> lines = LinesOf(text);
        EXPECT_EQ(Titles(lines), titles) << capacity;
        const auto firstMarker = std::find(lines.begin(), lines.end(), marker);
        ASSERT_NE(firstMarker, lines.end()) << capacity;
        const std::size_t before = text.find(marker + "\n");
        EXPECT_EQ(text.substr(0, before), full.substr(0, before)) << capacity;
        EXPECT_EQ(document.UpdateDepth(), 0);
        EXPECT_EQ(document.SelectionStart(), 0);
        EXPECT_EQ(spooler.OpenHandles(), 0);
    }
}

// Whatever a refusing spooler writes into the handle, the report goes on with none.
TEST(ReportBuilder, FailedOpenLeavesTheHandleNull)
{
    struct GarbageOnFailure : ForwardingSpooler {
        using ForwardingSpooler::ForwardingSpooler;
        std::vector<PrinterHandle> used;
        bool OpenPrinterA(const std::string&, PrinterHandle* handle, PRINTER_DEFAULTSA*) override
        {
            *handle = reinterpret_cast<PrinterHandle>(std::uintptr_t{0x4711});
            return false;
        }
        bool ClosePrinter(PrinterHandle handle) override
        {
            used.push_back(handle);
            return false;
        }
        bool GetPrinterA(PrinterHandle handle, DWORD level, BYTE* buffer, DWORD size, DWORD* needed) override
        {
            used.push_back(handle);
            return inner_.GetPrinterA(handle, level, buffer, size, needed);
        }
        bool GetPrinterDriverA(PrinterHandle handle, const char* environment, DWORD level, BYTE* buffer, DWORD size,
                               DWORD* needed) override
        {
            used.push_back(handle);
            return inner_.GetPrinterDriverA(handle, environment, level, buffer, size, needed);
        }
        std::int32_t DocumentPropertiesA(PrinterHandle handle, const char* device, DEVMODEA* output,
                                         std::size_t outputSize, const DEVMODEA* input, DWORD mode) override
        {
            used.push_back(handle);
            return inner_.DocumentPropertiesA(handle, device, output, outputSize, input, mode);
        }
    };
    ScriptedReport report(Json::object(), Json{{"messages", {{"5", "Access is denied."}}}});
    GarbageOnFailure spooler(report.spooler);
    MemoryDocument document;
    ReportBuilder(spooler, document).MakeReport("P");
    EXPECT_GE(spooler.used.size(), 16u);  // 15 record queries and DocumentPropertiesA
    EXPECT_EQ(std::count(spooler.used.begin(), spooler.used.end(), nullptr),
              static_cast<std::ptrdiff_t>(spooler.used.size()));
}

// Sizes a spooler answers beyond any real record are that section's fault; nothing of their size
// is allocated, and the rest of the report is written.
TEST(ReportBuilder, SizesBeyondAnyRealRecordFaultOnlyTheirSection)
{
    const Json laser = {{"dmDeviceName", "Laser"}};
    ScriptedReport report(Json{{"printer_info",
                                {{"2", {{"pPrinterName", "P"}, {"record_size", 4294967295u}}},
                                 {"8", {{"pDevMode", laser}}}}},
                               {"driver_info", {{"1", {{"pName", "d"}, {"record_size", 64u << 20 | 1}}}, {"2", {{"pName", "d"}}}}},
                               {"document_properties", {{"devmode", laser}, {"size", 0x7FFFFFFF}}}});
    const std::vector<std::string> lines = report.Build();
    const auto section = [&](const std::string& title) { return testing::Section(lines, title); };
    const std::string marker = "*** EXCEPTION OCCURRED ***";
    EXPECT_EQ(section("PRINTER_INFO_2"), (std::vector<std::string>{"- PRINTER_INFO_2 -", marker}));
    EXPECT_EQ(section("DRIVER_INFO_1"), (std::vector<std::string>{"- DRIVER_INFO_1 -", marker}));
    EXPECT_EQ(section("DEVMODE (DocumentProperties)"),
              (std::vector<std::string>{"- DEVMODE (DocumentProperties) -", marker}));
    EXPECT_EQ(section("DRIVER_INFO_2").at(1).substr(0, 9), "cVersion ");
    EXPECT_EQ(section("User default DEVMODE (PRINTER_INFO_8 [2000])")[1], "dmDeviceName             : Laser");
    EXPECT_EQ(Titles(lines).size(), 17u);
}

}  // namespace
}  // namespace ostrel
