#include "findings/fleet_summary.h"

#include "findings/findings.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <string_view>

namespace ostrel {

namespace {

constexpr std::size_t PrintersShown = 3;
constexpr char Indent[] = "    ";

std::size_t RuleIndex(const char* id)
{
    const std::span<const Rule> rules = RuleTable();
    for (std::size_t i = 0; i < rules.size(); ++i)
        if (rules[i].id == id || std::string_view(rules[i].id) == id)
            return i;
    throw std::logic_error(std::string("no rule ") + id);
}

std::string Count(std::size_t printers, std::size_t all)
{
    return std::to_string(printers) + " of " + std::to_string(all) + (all == 1 ? " printer\n" : " printers\n");
}

}  // namespace

FleetSummary::FleetSummary() : tallies_(RuleTable().size()) {}

void FleetSummary::Add(const std::string& printer, std::span<const Finding> findings)
{
    ++printers_;
    if (findings.empty())
        clean_.push_back(printer);
    for (const Finding& finding : findings) {
        Tally& tally = tallies_[RuleIndex(finding.id)];
        if (tally.lastPrinter == printers_)
            continue;
        tally.lastPrinter = printers_;
        if (tally.printers++ == 0)
            tally.example = finding.text;
        if (tally.first.size() < PrintersShown)
            tally.first.push_back(printer);
    }
}

std::string FleetSummary::Text() const
{
    std::vector<std::size_t> order(tallies_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return tallies_[a].printers > tallies_[b].printers; });
    std::string text;
    for (const std::size_t rule : order) {
        const Tally& tally = tallies_[rule];
        if (tally.printers == 0)
            break;
        text += std::string(SeverityName(RuleTable()[rule].severity)) + " " + RuleTable()[rule].id + ": " +
                Count(tally.printers, printers_);
        for (const std::string& printer : tally.first)
            text += Indent + printer + "\n";
        text += std::string(Indent) + "for example: " + tally.example + "\n";
    }
    text += "No findings: " + Count(clean_.size(), printers_);
    for (const std::string& printer : clean_)
        text += Indent + printer + "\n";
    return text;
}

}  // namespace ostrel
