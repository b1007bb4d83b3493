#include "findings/findings.h"
#include "findings/report_lines.h"
#include "tests/doubles/fault_injecting_spooler.h"

#include "../report/scripted_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace ostrel {
namespace {

using testing::LinesOf;

// Every field claimed in dmFields below: orientation, paper size, copies, default source, print
// quality, colour, duplex, y resolution, collate, form name.
constexpr int ClaimedFields = 0x1BF03;

Json CleanDevMode()
{
    return {{"dmDeviceName", "P"}, {"dmSpecVersion", 1025}, {"dmDriverVersion", 1}, {"dmFields", ClaimedFields},
            {"dmOrientation", 1},  {"dmPaperSize", 9},      {"dmCopies", 1},        {"dmDefaultSource", 7},
            {"dmPrintQuality", 600}, {"dmColor", 2},        {"dmDuplex", 2},        {"dmYResolution", 600},
            {"dmCollate", 1},      {"dmFormName", "A4"}};
}

// DC_MAXEXTENT of a roll 4755.4 mm long: 47554 does not fit the answer's signed 16 bits.
constexpr std::int32_t WrappedExtent = static_cast<std::int32_t>(0xB9C223B8u);

// The lists of the clean printer below, each answered empty.
Json EveryListEmpty()
{
    Json lists;
    for (const char* list : {"DC_PAPERNAMES", "DC_PAPERS", "DC_PAPERSIZE", "DC_BINNAMES", "DC_BINS", "DC_ENUMRESOLUTIONS"})
        lists[list] = Json::array();
    return lists;
}

// A colour duplex laser whose answers agree with each other: no rule finds anything in it.
Json CleanPrinter()
{
    return {{"name", "P"},
            {"devices", "winspool,LPT1:"},
            {"capabilities",
             {{"DC_PAPERNAMES", {"Letter", "A4"}},
              {"DC_PAPERS", {1, 9}},
              {"DC_PAPERSIZE", {{2159, 2794}, {2100, 2970}}},
              {"DC_MINEXTENT", 1000 + 1000 * 65536},
              {"DC_MAXEXTENT", 3000 + 5000 * 65536},
              {"DC_BINNAMES", {"Auto", "Tray 1"}},
              {"DC_BINS", {7, 1}},
              {"DC_DUPLEX", 1},
              {"DC_DRIVER", 1},
              {"DC_ENUMRESOLUTIONS", {{300, 300}, {600, 600}}},
              {"DC_ORIENTATION", 90},
              {"DC_COPIES", 99},
              {"DC_COLLATE", 1},
              {"DC_COLORDEVICE", 1}}},
            {"printer_info", {{"2", {{"pPrinterName", "P"}, {"pPortName", "LPT1:"}, {"Status", 0},
                                     {"pDevMode", CleanDevMode()}}}}},
            {"document_properties", {{"devmode", CleanDevMode()}}}};
}

// The clean printer with patch merged in; a "devmode" member is merged into both device modes.
Json Patched(Json patch)
{
    Json printer = CleanPrinter();
    if (patch.contains("devmode")) {
        printer["printer_info"]["2"]["pDevMode"].merge_patch(patch["devmode"]);
        printer["document_properties"]["devmode"].merge_patch(patch["devmode"]);
        patch.erase("devmode");
    }
    printer.merge_patch(patch);
    return printer;
}

struct Judged {
    std::vector<std::string> report;
    std::vector<Finding> findings;
};

Judged Judge(const Json& printer)
{
    testing::ScriptedReport scripted(printer);
    ReportFacts facts;
    ReportBuilder(scripted.spooler, scripted.document).MakeReport("P", &facts);
    return {LinesOf(scripted.document.Text()), FindingsOf(facts)};
}

std::vector<std::string> Ids(const std::vector<Finding>& findings)
{
    std::vector<std::string> ids;
    for (const Finding& finding : findings)
        ids.push_back(finding.id);
    return ids;
}

struct RuleCase {
    const char* id;
    Json shows;   // a patch of the clean printer that the rule must find
    Json silent;  // one close to it that the rule must leave alone
};

const RuleCase Cases[] = {
    {"resolution-not-offered", {{"devmode", {{"dmPrintQuality", 136}, {"dmYResolution", 136}}}},
     {{"devmode", {{"dmPrintQuality", -4}}}}},
    {"resolution-not-offered", {{"devmode", {{"dmPrintQuality", 600}, {"dmYResolution", 300}}}},
     {{"devmode", {{"dmFields", ClaimedFields & ~0x2000}, {"dmPrintQuality", 300}, {"dmYResolution", 136}}}}},
    {"colour-on-mono", {{"capabilities", {{"DC_COLORDEVICE", 0}}}},
     {{"capabilities", {{"DC_COLORDEVICE", 0}}}, {"devmode", {{"dmColor", 1}}}}},
    {"source-not-offered", {{"devmode", {{"dmDefaultSource", 2}}}},
     {{"capabilities", {{"DC_BINS", nullptr}, {"DC_BINNAMES", nullptr}}}, {"devmode", {{"dmDefaultSource", 2}}}}},
    // DMBIN_AUTO and DMBIN_FORMSOURCE are one choice, and a list holding neither offers it not.
    {"source-not-offered", {{"capabilities", {{"DC_BINS", {1, 2}}}}},
     {{"devmode", {{"dmDefaultSource", 15}}}}},
    {"source-not-offered", {{"capabilities", {{"DC_BINS", {1, 2}}}}, {"devmode", {{"dmDefaultSource", 15}}}},
     {{"capabilities", {{"DC_BINS", {15, 1}}}}}},
    {"paper-not-offered", {{"devmode", {{"dmPaperSize", 5}, {"dmFormName", "Legal"}}}},
     {{"devmode",
       {{"dmFields", ClaimedFields | 0xC}, {"dmPaperSize", 256}, {"dmPaperLength", 1500}, {"dmPaperWidth", 1000}}}}},
    {"paper-list-counts", {{"capabilities", {{"DC_PAPERNAMES", {"Letter"}}}}},
     {{"capabilities", {{"DC_BINS", nullptr}, {"DC_BINNAMES", nullptr}}}}},
    {"paper-list-counts", {{"capabilities", {{"DC_MEDIATYPES", {1, 2}}, {"DC_MEDIATYPENAMES", {"Plain"}}}}},
     {{"capabilities", {{"DC_MEDIATYPES", {1}}, {"DC_MEDIATYPENAMES", {"Plain"}}}}}},
    {"paper-outside-extent", {{"capabilities", {{"DC_PAPERSIZE", {{2159, 2794}, {2100, 5001}}}}}},
     {{"capabilities", {{"DC_PAPERSIZE", {{1000, 1000}, {3000, 5000}}}}}}},
    {"paper-outside-extent", {{"capabilities", {{"DC_MINEXTENT", 3001 + 1000 * 65536}}}},
     {{"capabilities", {{"DC_MINEXTENT", 3000 + 1000 * 65536}, {"DC_PAPERSIZE", {{3000, 2794}, {3000, 2970}}}}}}},
    // A maximum that is negative is size-negative's alone, and so is a paper of no size.
    {"paper-outside-extent", {{"capabilities", {{"DC_MAXEXTENT", 3000 + 2000 * 65536}}}},
     {{"capabilities", {{"DC_MAXEXTENT", WrappedExtent}}}}},
    {"paper-outside-extent", {{"capabilities", {{"DC_PAPERSIZE", {{2159, 2794}, {2100, 5001}}}}}},
     {{"capabilities", {{"DC_PAPERSIZE", {{2159, 2794}, {-352, -705}}}}}}},
    {"size-negative", {{"capabilities", {{"DC_MAXEXTENT", WrappedExtent}}}},
     {{"capabilities", {{"DC_MAXEXTENT", 32767 + 32767 * 65536}}}}},
    {"size-negative", {{"capabilities", {{"DC_MINEXTENT", 0}}}}, {{"capabilities", {{"DC_MINEXTENT", 1 + 65536}}}}},
    {"size-negative", {{"capabilities", {{"DC_PAPERSIZE", {{2159, 2794}, {2100, 0}}}}}},
     {{"capabilities", {{"DC_PAPERSIZE", {{2159, 2794}, {2100, 1}}}}}}},
    {"size-negative", {{"devmode", {{"dmFields", ClaimedFields | 0xC}, {"dmPaperLength", -705}, {"dmPaperWidth", 2100}}}},
     {{"devmode", {{"dmFields", ClaimedFields}, {"dmPaperLength", -705}, {"dmPaperWidth", 0}}}}},
    {"resolution-implausible", {{"capabilities", {{"DC_ENUMRESOLUTIONS", {{600, 600}, {20, 3}}}}}},
     {{"capabilities", {{"DC_ENUMRESOLUTIONS", {{600, 600}, {60, 72}, {204, 98}, {5760, 720}}}}}}},
    {"resolution-implausible", {{"devmode", {{"dmPrintQuality", 1200}, {"dmYResolution", 120}}}},
     {{"devmode", {{"dmPrintQuality", -4}, {"dmYResolution", 3}}}}},
    {"driver-silent", {{"capabilities", {{"DC_FIELDS", 0}, {"DC_SIZE", 0}}}},
     {{"capabilities", {{"DC_FIELDS", 0}, {"DC_SIZE", 220}}}}},
    {"driver-silent", {{"capabilities", EveryListEmpty()}},
     {{"capabilities", {{"DC_PAPERS", Json::array()}, {"DC_PAPERNAMES", Json::array()}, {"DC_PAPERSIZE", Json::array()}}}}},
    {"duplex-not-offered", {{"capabilities", {{"DC_DUPLEX", 0}}}},
     {{"capabilities", {{"DC_DUPLEX", 0}}}, {"devmode", {{"dmDuplex", 1}}}}},
    {"copies-above-max", {{"devmode", {{"dmCopies", 100}}}}, {{"devmode", {{"dmCopies", 99}}}}},
    {"orientation-not-offered", {{"capabilities", {{"DC_ORIENTATION", 0}}}, {"devmode", {{"dmOrientation", 2}}}},
     {{"capabilities", {{"DC_ORIENTATION", 0}}}}},
    {"collate-not-offered", {{"capabilities", {{"DC_COLLATE", 0}}}},
     {{"capabilities", {{"DC_COLLATE", 0}}}, {"devmode", {{"dmCollate", 0}}}}},
    {"fields-claimed-empty", {{"devmode", {{"dmCopies", 0}}}},
     {{"devmode", {{"dmFields", ClaimedFields & ~0x100}, {"dmCopies", 0}}}}},
    {"fields-claimed-empty", {{"devmode", {{"dmPaperSize", 0}}}},
     {{"devmode", {{"dmFields", ClaimedFields | 0xC}, {"dmPaperSize", 0}, {"dmPaperLength", 1500},
                   {"dmPaperWidth", 1000}}}}},
    {"name-unterminated", {{"capabilities", {{"DC_BINNAMES", {"Auto", "Tray 1 with a long name!"}}}}},
     {{"capabilities", {{"DC_BINNAMES", {"Auto", "Tray 1 with a long name"}}}}}},
    {"name-unterminated", {{"capabilities", {{"DC_MEDIATYPES", {1}}, {"DC_MEDIATYPENAMES", {std::string(64, 'm')}}}}},
     {{"capabilities", {{"DC_MEDIATYPES", {1}}, {"DC_MEDIATYPENAMES", {std::string(63, 'm')}}}}}},
    {"devmode-size", {{"document_properties", {{"size", 200}}}}, {{"devmode", {{"dmSize", 148}}}}},
    {"devmode-size", {{"devmode", {{"dmSize", 150}}}}, {{"devmode", {{"dmSize", 124}}}}},
    {"driver-version", {{"devmode", {{"dmDriverVersion", 2}}}},
     {{"capabilities", {{"DC_DRIVER", nullptr}}}, {"devmode", {{"dmDriverVersion", 2}}}}},
    {"form-name-differs", {{"devmode", {{"dmFormName", "Letter"}}}},
     {{"devmode", {{"dmFields", ClaimedFields & ~0x10000}, {"dmFormName", "Letter"}}}}},
    {"sources-disagree", {{"document_properties", {{"devmode", {{"dmPaperSize", 1}, {"dmFormName", "Letter"}}}}}},
     {{"document_properties", {{"devmode", {{"dmScale", 50}}}}}}},
    {"default-port", {{"printer_info", {{"2", {{"pPortName", "COM1:"}}}}}},
     {{"devices", nullptr}, {"printer_info", {{"2", {{"pPortName", "COM1:"}}}}}}},
    {"status-error", {{"printer_info", {{"2", {{"Status", 0x80}}}}}},
     {{"printer_info", {{"2", {{"Status", 0x400}}}}}}},
    {"not-opened", {{"open_error", 5}}, Json::object()},
};

TEST(Findings, CleanPrinterHasNone)
{
    EXPECT_EQ(Ids(Judge(CleanPrinter()).findings), std::vector<std::string>{});
}

TEST(Findings, EachRuleShowsWhereItShouldAndOnlyThere)
{
    for (const RuleCase& rule : Cases) {
        SCOPED_TRACE(std::string(rule.id) + " on " + rule.shows.dump());
        const Judged shown = Judge(Patched(rule.shows));
        const auto hit = std::find_if(shown.findings.begin(), shown.findings.end(),
                                      [&](const Finding& f) { return std::string(f.id) == rule.id; });
        ASSERT_NE(hit, shown.findings.end()) << ::testing::PrintToString(Ids(shown.findings));
        // Every line a finding refers to is in its report, under its section.
        for (const Finding& finding : shown.findings) {
            EXPECT_FALSE(finding.lines.empty()) << FindingLine(finding);
            for (const ReportLine& line : finding.lines)
                EXPECT_TRUE(FindReportLine(shown.report, line))
                    << FindingLine(finding) << ": no line " << line.label << " in " << line.section;
        }
        const std::vector<std::string> silent = Ids(Judge(Patched(rule.silent)).findings);
        EXPECT_EQ(std::count(silent.begin(), silent.end(), rule.id), 0) << "silent case " << rule.silent.dump();
    }
}

TEST(Findings, EveryRuleHasACase)
{
    for (const Rule& rule : RuleTable())
        EXPECT_TRUE(std::any_of(std::begin(Cases), std::end(Cases),
                                [&](const RuleCase& c) { return std::string(c.id) == rule.id; }))
            << rule.id;
}

TEST(Findings, TextsPutTheValuesSideBySide)
{
    const struct {
        Json patch;
        std::string line;
    } Texts[] = {
        {{{"devmode", {{"dmPrintQuality", 136}, {"dmYResolution", 136}}}},
         "error resolution-not-offered: Default device mode asks for 136 * 136 dpi; DC_ENUMRESOLUTIONS offers "
         "300 * 300 dpi, 600 * 600 dpi"},
        {{{"devmode", {{"dmDefaultSource", 2}}}},
         "warning source-not-offered: Default device mode takes paper from DMBIN_LOWER (2); DC_BINS lists "
         "DMBIN_AUTO (7), DMBIN_UPPER (1)"},
        {{{"capabilities", {{"DC_MAXEXTENT", WrappedExtent}}}},
         "error size-negative: DC_MAXEXTENT is 9144 * -17982 (0.1mm): a width or length of 0 or less (-17982: "
         "47554 wrapped into the answer's 16 bits)"},
        {{{"capabilities", {{"DC_PAPERSIZE", {{2159, 2794}, {-352, -705}}}}}},
         "error size-negative: paper \"A4\" (DMPAPER_A4 (9)) is -352 * -705 (0.1mm): a width or length of 0 or less"},
        {{{"devmode", {{"dmFields", ClaimedFields | 0xC}, {"dmPaperLength", 2970}, {"dmPaperWidth", 0}}}},
         "error size-negative: Default device mode claims dmPaperWidth 0 (0.1mm), a paper of no size"},
        {{{"capabilities", {{"DC_ENUMRESOLUTIONS", {{600, 600}, {20, 3}, {1200, 120}}}}}},
         "warning resolution-implausible: DC_ENUMRESOLUTIONS offers resolutions no printer has: 20 * 3 dpi (below "
         "50 dpi), 1200 * 120 dpi (x:y beyond 8:1)"},
        {{{"devmode", {{"dmPrintQuality", 20}, {"dmYResolution", 3}}}},
         "warning resolution-implausible: Default device mode asks for 20 * 3 dpi, a resolution no printer has "
         "(below 50 dpi)"},
        {{{"capabilities", {{"DC_FIELDS", 0}, {"DC_SIZE", 0}}}},
         "warning driver-silent: the driver's capability answers are empty (DC_FIELDS 0, DC_SIZE 0 bytes): no other "
         "rule judges them"},
        {{{"document_properties", {{"devmode", {{"dmPaperSize", 1}, {"dmFormName", "Letter"}}}}}},
         "warning sources-disagree: Default device mode and DocumentProperties device mode differ in dmPaperSize: "
         "DMPAPER_A4 (9) and DMPAPER_LETTER (1)"},
        {{{"capabilities", {{"DC_PAPERNAMES", {"Letter"}}}}},
         "error paper-list-counts: the lists that belong together have different lengths: DC_PAPERS answers 2, "
         "DC_PAPERNAMES answers 1, DC_PAPERSIZE answers 2"},
        {{{"printer_info", {{"2", {{"Status", 0x90}}}}}},
         "warning status-error: the printer's status keeps jobs from printing: PRINTER_STATUS_PAPER_OUT, "
         "PRINTER_STATUS_OFFLINE"},
    };
    for (const auto& text : Texts) {
        const std::vector<Finding> findings = Judge(Patched(text.patch)).findings;
        std::vector<std::string> lines;
        for (const Finding& finding : findings)
            lines.push_back(FindingLine(finding));
        EXPECT_NE(std::find(lines.begin(), lines.end(), text.line), lines.end())
            << ::testing::PrintToString(lines);
    }
}

// Where a driver answers 0 to every query (Wine's driver entry in the Windows 95 family's path), the
// zeros are no answers: one finding says so, and no rule reads them as "no colour", "no bins", ...
TEST(Findings, ASilentDriverIsSaidOnceAndItsZerosReadAsNoAnswer)
{
    Json zeros = EveryListEmpty();
    for (const char* value : {"DC_FIELDS", "DC_SIZE", "DC_MINEXTENT", "DC_MAXEXTENT", "DC_DUPLEX", "DC_DRIVER",
                              "DC_ORIENTATION", "DC_COPIES", "DC_COLLATE", "DC_COLORDEVICE"})
        zeros[value] = 0;
    const struct {
        Json patch;
        std::vector<std::string> ids;
    } cases[] = {
        {{{"capabilities", zeros}, {"devmode", {{"dmOrientation", 2}, {"dmPaperLength", 0}}}}, {"driver-silent"}},
        // Every count the same but -1: a driver that says it supports none, not a silent one.
        {{{"capabilities", {{"DC_FIELDS", -1}, {"DC_SIZE", -1}}}}, {}},
        // An unknown printer answers 0 as well; not-opened says why.
        {{{"capabilities", zeros}, {"open_error", 1801}}, {"not-opened"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Ids(Judge(Patched(c.patch)).findings), c.ids) << c.patch.dump();
}

TEST(Findings, ImplausibleResolutionsLieBelow50DpiOrBeyond8To1)
{
    const struct {
        int x, y;
        bool implausible;
    } cases[] = {
        {50, 50, false}, {49, 600, true}, {600, 0, true},      {-600, 600, true},  {400, 50, false},
        {401, 50, true}, {60, 72, false}, {204, 98, false}, {5760, 720, false}, {20, 3, true},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> ids =
            Ids(Judge(Patched({{"capabilities", {{"DC_ENUMRESOLUTIONS", {{600, 600}, {c.x, c.y}}}}}})).findings);
        EXPECT_EQ(std::count(ids.begin(), ids.end(), "resolution-implausible"), c.implausible ? 1 : 0)
            << c.x << " * " << c.y;
    }
}

TEST(Findings, FoldedSourcesAreJudgedOnceAndLinesNameTheirSections)
{
    // Both device modes ask for an unoffered resolution; the DocumentProperties one is "Same as Default".
    const std::vector<Finding> findings =
        Judge(Patched({{"devmode", {{"dmPrintQuality", 136}, {"dmYResolution", 136}}}})).findings;
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].lines, (std::vector<ReportLine>{{"Ostrel", "DC_ENUMRESOLUTIONS"},
                                                          {"Default DEVMODE (PRINTER_INFO_2)", "dmPrintQuality"},
                                                          {"Default DEVMODE (PRINTER_INFO_2)", "dmYResolution"}}));
}

TEST(Findings, KeepingFactsLeavesTheReportAsItIs)
{
    for (const char* name : {"office-laser.json", "wine-office-ps.json", "broken-driver.json",
                             "office-ps-datatypes-win32.json"}) {
        ScriptedSpooler spooler;
        spooler.LoadFile(std::string(OSTREL_FIXTURES) + "/printers/" + name);
        const std::string entry = *spooler.EnumeratedPrinterName(0);
        MemoryDocument plain;
        ReportBuilder(spooler, plain).MakeReport(entry);
        MemoryDocument judged;
        ReportFacts facts;
        ReportBuilder(spooler, judged).MakeReport(entry, &facts);
        EXPECT_EQ(judged.PlainText(), plain.PlainText()) << name;
        EXPECT_EQ(judged.Rtf(1252), plain.Rtf(1252)) << name;
    }
}

TEST(Findings, KeepingFactsAsksTheSpoolerNothingMore)
{
    ScriptedSpooler scripted;
    scripted.LoadFile(std::string(OSTREL_FIXTURES) + "/printers/office-laser.json");
    std::vector<std::string> calls[2];
    for (int keep = 0; keep < 2; ++keep) {
        FaultInjectingSpooler spooler(scripted);
        MemoryDocument document;
        ReportFacts facts;
        ReportBuilder(spooler, document).MakeReport("Office Laser", keep ? &facts : nullptr);
        calls[keep] = spooler.Calls();
    }
    EXPECT_EQ(calls[1], calls[0]);
}

TEST(Findings, RulesNeverReadPastAShortDeviceMode)
{
    // A device mode of 56 bytes claiming every field holds none from dmDefaultSource on.
    std::string bytes(2 * 56, '0');
    bytes.replace(72, 4, "3800");      // dmSize
    bytes.replace(80, 8, "FFFFFFFF");  // dmFields
    Json printer = CleanPrinter();
    printer["printer_info"]["2"]["pDevMode"] = {{"hex", bytes}};
    const std::vector<std::string> ids = Ids(Judge(printer).findings);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "resolution-not-offered"), 0);
    EXPECT_NE(std::find(ids.begin(), ids.end(), "devmode-size"), ids.end());

    // A driver asking for 20 bytes gives a record too short to hold its own dmSize.
    EXPECT_NO_THROW(Judge(Patched({{"document_properties", {{"size", 20}}}})));
}

TEST(ReportLines, AreFoundInTheirSectionOnly)
{
    const std::vector<std::string> lines = {"- Ostrel -", "DC_BINS                  : [  7:DMBIN_AUTO]",
                                            "DC_BINSX                 : 1", "- Other -",
                                            "dmColor                  : 2"};
    EXPECT_EQ(FindReportLine(lines, {"Ostrel", "DC_BINS"}), 1u);
    EXPECT_EQ(FindReportLine(lines, {"Ostrel", "dmColor"}), std::nullopt);
    EXPECT_EQ(FindReportLine(lines, {"Other", "dmColor"}), 4u);
    EXPECT_EQ(FindReportLine(lines, {"Missing", "dmColor"}), std::nullopt);
}

}  // namespace
}  // namespace ostrel
