#include "findings/findings.h"

#include <algorithm>

namespace ostrel {

namespace {

constexpr char CapabilitySection[] = "Ostrel";
constexpr char PrinterInfo2Section[] = "PRINTER_INFO_2";

void AddLine(std::vector<ReportLine>& lines, ReportLine line)
{
    if (!line.section.empty() && !line.label.empty() && std::find(lines.begin(), lines.end(), line) == lines.end())
        lines.push_back(std::move(line));
}

std::string SectionOf(const ReportFacts& facts, std::size_t source)
{
    return source < DevModeSourceCount ? facts.devModes[source].sectionTitle : std::string();
}

std::vector<ReportLine> LinesOf(const ReportFacts& facts, const Rule& rule, const Hit& hit)
{
    std::vector<ReportLine> lines;
    for (const RuleLine& line : rule.lines) {
        const std::string label = line.label != nullptr ? line.label : hit.label != nullptr ? hit.label : "";
        switch (line.place) {
        case Place::Capabilities:
            AddLine(lines, {CapabilitySection, label});
            break;
        case Place::PrinterInfo2:
            AddLine(lines, {PrinterInfo2Section, label});
            break;
        case Place::DevMode:
            AddLine(lines, {SectionOf(facts, hit.source), label});
            break;
        case Place::OtherDevMode:
            AddLine(lines, {SectionOf(facts, hit.other), label});
            break;
        case Place::OfHit:
            AddLine(lines, {hit.source < DevModeSourceCount ? SectionOf(facts, hit.source) : CapabilitySection, label});
            break;
        }
    }
    return lines;
}

}  // namespace

const char* SeverityName(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    case Severity::Note:
        break;
    }
    return "note";
}

std::string FindingLine(const Finding& finding)
{
    return std::string(SeverityName(finding.severity)) + " " + finding.id + ": " + finding.text;
}

std::vector<Finding> FindingsOf(const ReportFacts& facts)
{
    std::vector<Finding> findings;
    std::vector<Hit> hits;
    for (const Rule& rule : RuleTable()) {
        hits.clear();
        rule.check(facts, hits);
        for (Hit& hit : hits)
            findings.push_back({rule.id, rule.severity, std::move(hit.text), LinesOf(facts, rule, hit)});
    }
    return findings;
}

}  // namespace ostrel
