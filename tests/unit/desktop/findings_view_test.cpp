#include "desktop/findings_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ostrel {
namespace {

Finding Of(Severity severity, std::vector<ReportLine> lines = {})
{
    return {"some-rule", severity, "text", std::move(lines)};
}

TEST(FindingsView, CountsEverySeverityInTheStatusText)
{
    const struct {
        std::vector<Finding> findings;
        const wchar_t* text;
    } cases[] = {
        {{}, L"エラー 0 / 警告 0 / 注記 0"},
        {{Of(Severity::Warning), Of(Severity::Error), Of(Severity::Warning)}, L"エラー 1 / 警告 2 / 注記 0"},
        {{Of(Severity::Note)}, L"エラー 0 / 警告 0 / 注記 1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindingCountsText(c.findings), c.text);
}

TEST(FindingsView, SplitsTheReportIntoLinesWithTheirBytePositions)
{
    const ReportTextLines split = SplitReportText("ab\n\ncde\n");
    EXPECT_EQ(split.lines, (std::vector<std::string>{"ab", "", "cde", ""}));
    EXPECT_EQ(split.starts, (std::vector<std::size_t>{0, 3, 4, 8}));
    const struct {
        std::size_t position;
        std::optional<std::size_t> line;
    } cases[] = {{0, 0}, {2, 0}, {3, 1}, {4, 2}, {7, 2}, {8, 3}, {9, std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(LineAt(split, c.position), c.line) << c.position;
    EXPECT_EQ(LineAt(SplitReportText(""), 0), 0u);
}

// A finding's lines in the finding's order, each once; one the report lacks is left out.
TEST(FindingsView, FindsAFindingsLinesInTheReport)
{
    const std::vector<std::string> report = {
        "- Ostrel -",           "DC_BINS                  : 1", "DC_ENUMRESOLUTIONS       : 136 * 136 dpi",
        "",                     "- DocumentProperties -",       "dmYResolution            : 300 dpi",
        "dmPrintQuality           : 300 dpi"};
    const Finding finding = Of(Severity::Error, {{"DocumentProperties", "dmPrintQuality"},
                                                 {"Ostrel", "DC_ENUMRESOLUTIONS"},
                                                 {"Ostrel", "DC_COPIES"},
                                                 {"DocumentProperties", "dmYResolution"},
                                                 {"Ostrel", "DC_ENUMRESOLUTIONS"}});
    EXPECT_EQ(ReportLinesOf(report, finding), (std::vector<std::size_t>{6, 2, 5}));
    EXPECT_TRUE(ReportLinesOf(report, Of(Severity::Note, {{"Missing", "DC_BINS"}})).empty());
}

// Choosing a finding again walks on through its lines and comes round to the first.
TEST(FindingsView, ChoosingAgainMovesToTheFindingsNextLine)
{
    const std::vector<std::size_t> lines = {40, 7, 120};
    const struct {
        std::optional<std::size_t> selected;
        std::optional<std::size_t> next;
    } cases[] = {{std::nullopt, 40}, {0, 40}, {40, 7}, {7, 120}, {120, 40}, {41, 40}};
    for (const auto& c : cases)
        EXPECT_EQ(NextReportLine(lines, c.selected), c.next) << c.selected.value_or(999);
    EXPECT_EQ(NextReportLine({}, 7), std::nullopt);
}

TEST(FindingsView, ListHeightStaysBetweenTwoRowsAndHalfTheWindow)
{
    EXPECT_EQ(FindingsListHeight(800), 200);
    EXPECT_EQ(FindingsListHeight(200), 64);
    EXPECT_EQ(FindingsListHeight(100), 50);
    EXPECT_EQ(FindingsListHeight(0), 0);
}

}  // namespace
}  // namespace ostrel
