#include "report/structured_report.h"

namespace ostrel {

void StructuredReportSink::Clear(const std::string& entry)
{
    report_ = StructuredReport{entry, {}};
    open_ = false;
}

ReportSection& StructuredReportSink::CurrentSection()
{
    if (report_.sections.empty())
        report_.sections.push_back({});
    return report_.sections.back();
}

void StructuredReportSink::Section(const std::string& title)
{
    report_.sections.push_back({title, {}});
    open_ = false;
}

void StructuredReportSink::Line(ReportValue value)
{
    CurrentSection().items.push_back({std::nullopt, false, {std::move(value)}});
    open_ = false;
}

void StructuredReportSink::Item(const std::string& label, ReportValue value)
{
    std::vector<ReportItem>& items = CurrentSection().items;
    // A list begun under this label takes its first entry with the label on its line.
    const bool listStart = open_ && !items.empty() && items.back().list && items.back().values.empty() &&
                           items.back().label == label;
    if ((label.empty() && open_ && !items.empty()) || listStart) {
        ReportItem& item = items.back();
        item.values.push_back(std::move(value));
        if (item.values.size() > 1)
            item.list = true;
        return;
    }
    items.push_back({label, false, {std::move(value)}});
    open_ = true;
}

void StructuredReportSink::BeginList(const std::string& label)
{
    CurrentSection().items.push_back({label, true, {}});
    open_ = true;
}

}  // namespace ostrel
