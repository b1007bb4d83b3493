// Compares two structured reports: differences grouped by section, then by label, with both values.
// Lists are compared entry by entry (an entry with a number, as a paper or a bin, is matched by its
// number, so a renamed paper is one changed entry), everything else by the text its line shows.
#pragma once

#include "report/structured_report.h"

#include <optional>
#include <string>
#include <vector>

namespace ostrel {

enum class DifferenceKind { Changed, OnlyInA, OnlyInB };

struct Difference {
    DifferenceKind kind;
    std::string a;  // empty for OnlyInB
    std::string b;  // empty for OnlyInA

    bool operator==(const Difference& other) const { return kind == other.kind && a == other.a && b == other.b; }
};

struct LabelDifferences {
    std::optional<std::string> label;  // absent for lines without a label column
    bool list = false;                 // compared entry by entry
    std::vector<Difference> differences;
};

struct SectionDifferences {
    std::optional<std::string> title;
    std::vector<LabelDifferences> labels;
};

// Empty when the reports show the same sections, items and values. Linear in the reports' sizes.
std::vector<SectionDifferences> CompareReports(const StructuredReport& a, const StructuredReport& b);

// The differences as the console tool prints them (CR LF line breaks); "Same." when there are none.
std::string DifferencesText(const std::vector<SectionDifferences>& differences);

}  // namespace ostrel
