// The rules a report is judged by, and judging one.
#pragma once

#include "findings/finding.h"
#include "report/report_facts.h"

#include <span>
#include <vector>

namespace ostrel {

// Where a rule's report lines lie: the capability section, the printer record of level 2, the
// device-mode section of the source a finding is about (and of the source it is compared with), or
// wherever the finding is: its source's device-mode section, or without one the capability section.
enum class Place { Capabilities, PrinterInfo2, DevMode, OtherDevMode, OfHit };

struct RuleLine {
    Place place;
    const char* label;  // null: the label the finding names
};

// What a check found: the text, the device-mode sources it is about (DevModeSourceCount: none), and
// the label of the report line where the rule's table leaves it open (a field, a list).
struct Hit {
    std::string text;
    std::size_t source = DevModeSourceCount;
    std::size_t other = DevModeSourceCount;
    const char* label = nullptr;
};

using Check = void (*)(const ReportFacts& facts, std::vector<Hit>& hits);

struct Rule {
    const char* id;
    Severity severity;
    Check check;
    std::span<const RuleLine> lines;
};

std::span<const Rule> RuleTable();

// Every rule's findings, in the table's order.
std::vector<Finding> FindingsOf(const ReportFacts& facts);

}  // namespace ostrel
