// The report as data: its sections in order, each item with its label and values, each value with
// the text its line shows and, where the writer knows them, the raw number, the decoded names and
// the unit. The report writer fills it beside the text, from the same calls of the same sections.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace ostrel {

enum class Marker { None, NotSupported, Exception };

struct ReportValue {
    std::string text;  // the value as its line shows it
    std::variant<std::monostate, std::int64_t, std::uint64_t> raw;
    std::optional<std::vector<std::string>> names;  // decoded names; empty when the number has none
    std::string unit;
    Marker marker = Marker::None;

    bool operator==(const ReportValue& other) const
    {
        return text == other.text && raw == other.raw && names == other.names && unit == other.unit &&
               marker == other.marker;
    }
};

struct ReportItem {
    // Absent for a line of its own (a marker, "Same as ...", "(null)"): it has no label column.
    std::optional<std::string> label;
    bool list = false;  // a list keeps its values as entries, even one or none
    std::vector<ReportValue> values;

    bool operator==(const ReportItem& other) const
    {
        return label == other.label && list == other.list && values == other.values;
    }
};

struct ReportSection {
    // Absent for lines that stand before the first title.
    std::optional<std::string> title;
    std::vector<ReportItem> items;

    bool operator==(const ReportSection& other) const { return title == other.title && items == other.items; }
};

struct StructuredReport {
    std::string entry;
    std::vector<ReportSection> sections;

    bool operator==(const StructuredReport& other) const
    {
        return entry == other.entry && sections == other.sections;
    }
};

// Collects what the writer reports, in the order it writes its lines.
class StructuredReportSink {
public:
    explicit StructuredReportSink(StructuredReport& report) : report_(report) {}

    void Clear(const std::string& entry);
    void Section(const std::string& title);
    // A line of its own, without a label column.
    void Line(ReportValue value);
    // A labelled line; an empty label continues the item above as its next value.
    void Item(const std::string& label, ReportValue value);
    // The next values under label make a list, even if there are none.
    void BeginList(const std::string& label);

private:
    ReportSection& CurrentSection();

    StructuredReport& report_;
    bool open_ = false;  // whether an empty label continues the last item
};

}  // namespace ostrel
