#include "report/info_sections.h"

#include "tests/unit/report/scripted_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace ostrel {
namespace {

using testing::LinesOf;
using testing::Section;

using SectionsWriter = void (*)(ReportContext&);

// The non-blank lines that write gives for printer "P" as described, opened or not.
std::vector<std::string> Written(SectionsWriter write, Json printer, bool open = true)
{
    return testing::WrittenSections(write, std::move(printer), Json::object(), open);
}

std::vector<std::string> PrinterLevel(const char* level, Json record)
{
    return Written(WritePrinterInfoSections, Json{{"printer_info", {{level, std::move(record)}}}});
}

std::vector<std::string> DriverLevel(const char* level, Json record)
{
    return Written(WriteDriverInfoSections, Json{{"driver_info", {{level, std::move(record)}}}});
}

std::string Item(const std::string& label, const std::string& value)
{
    return label + std::string(24 - label.size(), ' ') + " : " + value;
}

TEST(PrinterInfoSections, LevelTwoListsItsFieldsWithoutDeviceModeOrSecurityDescriptor)
{
    const std::vector<std::string> lines = PrinterLevel(
        "2", {{"pServerName", "\\\\srv"}, {"pPrinterName", "Laser"}, {"pShareName", nullptr}, {"pPortName", "LPT1:"},
              {"pDriverName", "PS Driver"}, {"pComment", "2nd floor"}, {"pLocation", "Room 12"},
              {"pDevMode", {{"dmDeviceName", "Laser"}}}, {"pSepFile", "sep.sep"}, {"pPrintProcessor", "WinPrint"},
              {"pDatatype", "RAW"}, {"pParameters", ""}, {"Attributes", 0x48}, {"Priority", 1},
              {"DefaultPriority", 99}, {"StartTime", 0}, {"UntilTime", 1439}, {"Status", 0},
              {"cJobs", 4294967295u}, {"AveragePPM", 12}});
    EXPECT_EQ(Section(lines, "PRINTER_INFO_2"), (std::vector<std::string>{
                                                    "- PRINTER_INFO_2 -",
                                                    "pServerName              : \\\\srv",
                                                    "pPrinterName             : Laser",
                                                    "pShareName               : ",
                                                    "pPortName                : LPT1:",
                                                    "pDriverName              : PS Driver",
                                                    "pComment                 : 2nd floor",
                                                    "pLocation                : Room 12",
                                                    "pSepFile                 : sep.sep",
                                                    "pPrintProcessor          : WinPrint",
                                                    "pDataType                : RAW",
                                                    "pParameters              : ",
                                                    "Attributes               : 0x00000008: PRINTER_ATTRIBUTE_SHARED",
                                                    "                         : 0x00000040: PRINTER_ATTRIBUTE_LOCAL",
                                                    "Priority                 : 1 level",
                                                    "DefaultPriority          : 99 level",
                                                    "StartTime                : 0 min. since 12:00AM GMT",
                                                    "UntilTime                : 1439 min. since 12:00AM GMT",
                                                    "Status                   : 0x00000000: (null)",
                                                    "cJobs                    : 4294967295 jobs queued",
                                                    "AveragePPM               : 12 pages per min.",
                                                }));
}

TEST(PrinterInfoSections, LevelOneDecodesItsFlagsBitByBit)
{
    const std::vector<std::string> lines = PrinterLevel(
        "1", {{"Flags", 0x20800006}, {"pDescription", "Laser,PS Driver,"}, {"pName", "Laser"}, {"pComment", "c"}});
    EXPECT_EQ(Section(lines, "PRINTER_INFO_1"), (std::vector<std::string>{
                                                    "- PRINTER_INFO_1 -",
                                                    "Flags                    : 0x00000002: PRINTER_ENUM_LOCAL",
                                                    "                         : 0x00000004: PRINTER_ENUM_CONNECTIONS",
                                                    "                         : 0x00800000: PRINTER_ENUM_ICON8",
                                                    "                         : 0x20000000: (null)",
                                                    "pDescription             : Laser,PS Driver,",
                                                    "pName                    : Laser",
                                                    "pComment                 : c",
                                                }));
}

TEST(PrinterInfoSections, SmallerLevelsReadEachFieldFromItsOwnPlace)
{
    const struct {
        const char* level;
        const char* title;
        Json record;
        std::vector<std::string> fields;
    } cases[] = {
        {"4", "PRINTER_INFO_4 [NT3.5]",
         {{"pPrinterName", "Laser"}, {"pServerName", "\\\\srv"}, {"Attributes", 0x4}},
         {"pPrinterName             : Laser", "pServerName              : \\\\srv",
          "Attributes               : 0x00000004: PRINTER_ATTRIBUTE_DEFAULT"}},
        {"5", "PRINTER_INFO_5 [95,NT4]",
         {{"pPrinterName", "Laser"}, {"pPortName", "LPT1:"}, {"Attributes", 0},
          {"DeviceNotSelectedTimeout", 15000}, {"TransmissionRetryTimeout", 4294967295u}},
         {"pPrinterName             : Laser", "pPortName                : LPT1:",
          "Attributes               : 0x00000000: (null)", "DeviceNotSelectedTimeout : 15000 msec.",
          "TransmissionRetryTimeout : 4294967295 msec."}},
        {"6", "PRINTER_INFO_6 [NT4]", {{"dwStatus", 0}}, {"dwStatus                 : 0x00000000: (null)"}},
        {"7", "PRINTER_INFO_7 [2000]",
         {{"pszObjectGUID", "{0123}"}, {"dwAction", 0x80000001u}},
         {"pszObjectGUID            : {0123}", "dwAction                 : 0x00000001: DSPRINT_PUBLISH",
          "                         : 0x80000000: DSPRINT_PENDING"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> expected = {std::string("- ") + c.title + " -"};
        expected.insert(expected.end(), c.fields.begin(), c.fields.end());
        EXPECT_EQ(Section(PrinterLevel(c.level, c.record), c.title), expected) << c.level;
    }
}

TEST(InfoSections, EveryTitleStandsInOrderWithTheMarkerWhenNoLevelIsOffered)
{
    const struct {
        SectionsWriter write;
        std::vector<std::string> titles;
    } groups[] = {
        {WritePrinterInfoSections,
         {"PRINTER_INFO_1", "PRINTER_INFO_2", "PRINTER_INFO_4 [NT3.5]", "PRINTER_INFO_5 [95,NT4]",
          "PRINTER_INFO_6 [NT4]", "PRINTER_INFO_7 [2000]"}},
        {WriteDriverInfoSections,
         {"DRIVER_INFO_1", "DRIVER_INFO_2", "DRIVER_INFO_3 [95,NT4]", "DRIVER_INFO_4 [2000]",
          "DRIVER_INFO_5 [2000]", "DRIVER_INFO_6 [Me,2000]"}},
    };
    // An open printer without records reports a needed size of 0 for every level; a null handle
    // makes every call fail.
    for (const bool open : {true, false}) {
        for (const auto& group : groups) {
            std::vector<std::string> expected;
            for (const std::string& title : group.titles) {
                expected.push_back("- " + title + " -");
                expected.push_back(NotSupportedText);
            }
            EXPECT_EQ(Written(group.write, Json::object(), open), expected) << group.titles[0] << " open " << open;
        }
    }
}

TEST(DriverInfoSections, EachLevelListsItsOwnFieldsInOrder)
{
    const std::vector<std::string> level2 = {"pName", "pEnvironment", "pDriverPath", "pDataFile", "pConfigFile"};
    std::vector<std::string> level3 = level2;
    level3.insert(level3.end(), {"pHelpFile", "pDependentFiles", "pMonitorName", "pDefaultDataType"});
    std::vector<std::string> level4 = level3;
    level4.push_back("pszzPreviousNames");
    const struct {
        const char* level;
        const char* title;
        std::vector<std::string> texts;  // each holds its own name
    } cases[] = {
        {"1", "DRIVER_INFO_1", {"pName"}},
        {"2", "DRIVER_INFO_2", level2},
        {"3", "DRIVER_INFO_3 [95,NT4]", level3},
        {"4", "DRIVER_INFO_4 [2000]", level4},
    };
    for (const auto& c : cases) {
        Json record = Json::object();
        std::vector<std::string> expected = {std::string("- ") + c.title + " -"};
        if (c.level != std::string("1")) {
            record["cVersion"] = 2;
            expected.push_back(Item("cVersion", "0x00000002: Driver for Windows NT 4.0"));
        }
        for (const std::string& text : c.texts) {
            record[text] = text;
            expected.push_back(Item(text, text));
        }
        EXPECT_EQ(Section(DriverLevel(c.level, record), c.title), expected) << c.level;
    }
}

TEST(DriverInfoSections, LevelFiveShowsAttributesAsOneValueAndVersionsInHex)
{
    const std::vector<std::string> lines = DriverLevel(
        "5", {{"cVersion", 7}, {"pName", "Laser Driver"}, {"pEnvironment", "Windows 4.0"}, {"pDriverPath", "drv.dll"},
              {"pDataFile", "data.gpd"}, {"pConfigFile", "ui.dll"}, {"dwDriverAttributes", 3},
              {"dwConfigVersion", 0x1F}, {"dwDriverVersion", 4294967295u}});
    EXPECT_EQ(Section(lines, "DRIVER_INFO_5 [2000]"), (std::vector<std::string>{
                                                          "- DRIVER_INFO_5 [2000] -",
                                                          "cVersion                 : 0x00000007: (null)",
                                                          "pName                    : Laser Driver",
                                                          "pEnvironment             : Windows 4.0",
                                                          "pDriverPath              : drv.dll",
                                                          "pDataFile                : data.gpd",
                                                          "pConfigFile              : ui.dll",
                                                          "dwDriverAttributes       : 0x00000003: (null)",
                                                          "dwConfigVersion          : 0x0000001F",
                                                          "dwDriverVersion          : 0xFFFFFFFF",
                                                      }));
}

TEST(DriverInfoSections, LevelSixListsTextListsDateAndWideVersion)
{
    const std::vector<std::string> lines = DriverLevel(
        "6", {{"cVersion", 3}, {"pName", "Laser Driver"}, {"pEnvironment", "Windows NT x86"},
              {"pDriverPath", "drv.dll"}, {"pDataFile", "data.gpd"}, {"pConfigFile", "ui.dll"},
              {"pHelpFile", "help.hlp"}, {"pDependentFiles", {"a.dll", "b.ini", "c.gpd"}}, {"pMonitorName", nullptr},
              {"pDefaultDataType", "RAW"}, {"pszzPreviousNames", Json::array()},
              {"ftDriverDate", 126384644967890000u}, {"dwlDriverVersion", 0x0006000100020003u},
              {"pszMfgName", "Maker"}, {"pszOEMUrl", "http://example.com/"}, {"pszHardwareID", "hw_id"},
              {"pszProvider", "Provider"}});
    EXPECT_EQ(Section(lines, "DRIVER_INFO_6 [Me,2000]"),
              (std::vector<std::string>{
                  "- DRIVER_INFO_6 [Me,2000] -",
                  "cVersion                 : 0x00000003: Driver for Windows 2000/XP",
                  "pName                    : Laser Driver",
                  "pEnvironment             : Windows NT x86",
                  "pDriverPath              : drv.dll",
                  "pDataFile                : data.gpd",
                  "pConfigFile              : ui.dll",
                  "pHelpFile                : help.hlp",
                  "pDependentFiles          : a.dll",
                  "                         : b.ini",
                  "                         : c.gpd",
                  "pMonitorName             : ",
                  "pDefaultDataType         : RAW",
                  "pszzPreviousNames        : ",
                  "ftDriverDate             : 2001/07/01 12:34:56.789",
                  "dwlDriverVersion         : 0x0006000100020003",
                  "pszMfgName               : Maker",
                  "pszOEMUrl                : http://example.com/",
                  "pszHardwareID            : hw_id",
                  "pszProvider              : Provider",
              }));
}

TEST(InfoSections, BadDataEndsTheListingWithTheMarkerAndTheNextSectionFollows)
{
    const struct {
        const char* name;
        SectionsWriter write;
        Json printer;
        std::vector<std::string> section;
        const char* next;
    } cases[] = {
        {"text pointer outside the buffer", WritePrinterInfoSections,
         {{"printer_info",
           {{"2", {{"pServerName", "s"}, {"pPrinterName", "Laser"}, {"pShareName", {{"outside", true}}}}}}}},
         {"- PRINTER_INFO_2 -", "pServerName              : s", "pPrinterName             : Laser",
          ExceptionOccurredText},
         "- PRINTER_INFO_4 [NT3.5] -"},
        {"list without its final empty text", WriteDriverInfoSections,
         {{"driver_info",
           {{"3", {{"cVersion", 2}, {"pName", "D"}, {"pHelpFile", "h.hlp"},
                   {"pDependentFiles", {{"unterminated", {"a.dll", "b.dll"}}}}}}}}},
         {"- DRIVER_INFO_3 [95,NT4] -", "cVersion                 : 0x00000002: Driver for Windows NT 4.0",
          "pName                    : D", "pEnvironment             : ", "pDriverPath              : ",
          "pDataFile                : ", "pConfigFile              : ", "pHelpFile                : h.hlp",
          ExceptionOccurredText},
         "- DRIVER_INFO_4 [2000] -"},
        {"printer record shorter than its layout", WritePrinterInfoSections,
         {{"printer_info", {{"1", {{"Flags", 2}, {"pName", "Laser"}, {"record_size", 4}}}}}},
         {"- PRINTER_INFO_1 -", ExceptionOccurredText},
         "- PRINTER_INFO_2 -"},
        {"driver record shorter than its layout", WriteDriverInfoSections,
         {{"driver_info", {{"5", {{"cVersion", 3}, {"pName", "D"}, {"record_size", 12}}}}}},
         {"- DRIVER_INFO_5 [2000] -", ExceptionOccurredText},
         "- DRIVER_INFO_6 [Me,2000] -"},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> lines = Written(c.write, c.printer);
        const auto at = std::find(lines.begin(), lines.end(), c.section.front());
        ASSERT_GT(lines.end() - at, static_cast<std::ptrdiff_t>(c.section.size())) << c.name;
        EXPECT_EQ(std::vector<std::string>(at, at + c.section.size()), c.section) << c.name;
        EXPECT_EQ(at[c.section.size()], c.next) << c.name;
    }
}

}  // namespace
}  // namespace ostrel
