// What a report window's findings list shows and where choosing a finding leads in the report,
// decided without a window: the rows, the frame's count by severity, and the report lines.
#pragma once

#include "findings/finding.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

// The one row the list shows when the report gave no findings.
constexpr wchar_t NoFindingsText[] = L"検出事項はありません。";

struct FindingsColumn {
    const wchar_t* heading;
    int width;  // pixels; 0: what the other columns leave
};

// Severity, id, text.
std::span<const FindingsColumn> FindingsColumns();

// "エラー", "警告" or "注記".
const wchar_t* SeverityCaption(Severity severity);

// The frame's status text for a report's findings: "エラー 1 / 警告 2 / 注記 0".
std::wstring FindingCountsText(std::span<const Finding> findings);

// The lines of a report's text and where each begins, in bytes; a line break ('\n') is one byte.
struct ReportTextLines {
    std::vector<std::string> lines;
    std::vector<std::size_t> starts;
};

ReportTextLines SplitReportText(std::string_view text);

// The indexes of the report lines a finding refers to, in the finding's order, each once; lines
// the report does not hold are left out.
std::vector<std::size_t> ReportLinesOf(std::span<const std::string> lines, const Finding& finding);

// The line to select when a finding is chosen: its first line, or, while the selection is on one
// of its lines, the next one (after the last, the first again). None when it has no lines.
std::optional<std::size_t> NextReportLine(std::span<const std::size_t> findingLines,
                                          std::optional<std::size_t> selectedLine);

// The line of the report that holds the byte position, or none past the text's end.
std::optional<std::size_t> LineAt(const ReportTextLines& text, std::size_t bytePosition);

// The height of the findings list below the report in a client area this high: a quarter of it,
// but never so little that two rows do not fit, nor more than half.
int FindingsListHeight(int clientHeight);

}  // namespace ostrel
