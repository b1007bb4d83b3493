#include "findings/report_lines.h"

namespace ostrel {

namespace {

bool IsSectionTitle(const std::string& line)
{
    return line.size() >= 4 && line.starts_with("- ") && line.ends_with(" -");
}

bool HasLabel(const std::string& line, const std::string& label)
{
    return line.starts_with(label) && (line.size() == label.size() || line[label.size()] == ' ' ||
                                       line[label.size()] == ':');
}

}  // namespace

std::optional<std::size_t> FindReportLine(std::span<const std::string> lines, const ReportLine& line)
{
    const std::string title = "- " + line.section + " -";
    std::size_t at = 0;
    while (at < lines.size() && lines[at] != title)
        ++at;
    for (++at; at < lines.size() && !IsSectionTitle(lines[at]); ++at)
        if (HasLabel(lines[at], line.label))
            return at;
    return std::nullopt;
}

}  // namespace ostrel
