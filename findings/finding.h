// A finding: something in one report's answers that contradicts another answer or is likely to
// surprise, said in plain words, with the report lines it comes from.
#pragma once

#include <string>
#include <vector>

namespace ostrel {

// Error: the answers contradict each other; warning: likely to surprise; note: worth knowing.
enum class Severity { Error, Warning, Note };

// "error", "warning" or "note".
const char* SeverityName(Severity severity);

// A line of the report: the title of its section (as between "- " and " -") and its label.
struct ReportLine {
    std::string section;
    std::string label;

    bool operator==(const ReportLine&) const = default;
};

struct Finding {
    const char* id;
    Severity severity;
    std::string text;
    std::vector<ReportLine> lines;
};

// "SEVERITY id: text".
std::string FindingLine(const Finding& finding);

}  // namespace ostrel
