#include "desktop/findings_view.h"

#include "findings/report_lines.h"

#include <algorithm>
#include <iterator>

namespace ostrel {

namespace {

constexpr FindingsColumn Columns[] = {
    {L"重要度", 56},
    {L"ID", 160},
    {L"内容", 0},
};

// A column header and two rows.
constexpr int SmallestListHeight = 64;

}  // namespace

std::span<const FindingsColumn> FindingsColumns()
{
    return Columns;
}

const wchar_t* SeverityCaption(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return L"エラー";
    case Severity::Warning:
        return L"警告";
    case Severity::Note:
        break;
    }
    return L"注記";
}

std::wstring FindingCountsText(std::span<const Finding> findings)
{
    const auto count = [&](Severity severity) {
        return std::to_wstring(std::count_if(findings.begin(), findings.end(),
                                             [severity](const Finding& f) { return f.severity == severity; }));
    };
    std::wstring text;
    for (const Severity severity : {Severity::Error, Severity::Warning, Severity::Note}) {
        if (!text.empty())
            text += L" / ";
        text += SeverityCaption(severity) + std::wstring(L" ") + count(severity);
    }
    return text;
}

ReportTextLines SplitReportText(std::string_view text)
{
    ReportTextLines split;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        split.lines.emplace_back(text.substr(start, end - start));
        split.starts.push_back(start);
        start = end + 1;
    }
    return split;
}

std::vector<std::size_t> ReportLinesOf(std::span<const std::string> lines, const Finding& finding)
{
    std::vector<std::size_t> found;
    for (const ReportLine& line : finding.lines) {
        const std::optional<std::size_t> at = FindReportLine(lines, line);
        if (at && std::find(found.begin(), found.end(), *at) == found.end())
            found.push_back(*at);
    }
    return found;
}

std::optional<std::size_t> NextReportLine(std::span<const std::size_t> findingLines,
                                          std::optional<std::size_t> selectedLine)
{
    if (findingLines.empty())
        return std::nullopt;
    const auto at = std::find(findingLines.begin(), findingLines.end(), selectedLine.value_or(0));
    if (!selectedLine || at == findingLines.end() || std::next(at) == findingLines.end())
        return findingLines.front();
    return *std::next(at);
}

std::optional<std::size_t> LineAt(const ReportTextLines& text, std::size_t bytePosition)
{
    if (text.starts.empty() || bytePosition > text.starts.back() + text.lines.back().size())
        return std::nullopt;
    const auto after = std::upper_bound(text.starts.begin(), text.starts.end(), bytePosition);
    return static_cast<std::size_t>(std::distance(text.starts.begin(), after)) - 1;
}

int FindingsListHeight(int clientHeight)
{
    return std::max(0, std::min(std::max(clientHeight / 4, SmallestListHeight), clientHeight / 2));
}

}  // namespace ostrel
