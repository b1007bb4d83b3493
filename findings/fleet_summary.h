// A fleet's findings by rule: how many printers each rule fires on, the first of them and an example,
// the most frequent rule first; then the printers with no findings.
#pragma once

#include "findings/finding.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace ostrel {

class FleetSummary {
public:
    FleetSummary();

    // One printer's findings; printers are counted in the order they are added.
    void Add(const std::string& printer, std::span<const Finding> findings);

    // Per rule that fired, most printers first (a tie in the order of the rule table):
    //   SEVERITY id: N of M printers
    //       the first three printers, one a line
    //       for example: the first printer's first finding's text
    // then "No findings: N of M printers" and every printer without one.
    std::string Text() const;

private:
    struct Tally {
        std::size_t printers = 0;
        std::size_t lastPrinter = 0;  // 1 + the index of the last printer counted
        std::vector<std::string> first;
        std::string example;
    };

    std::vector<Tally> tallies_;  // by the rule's place in the rule table
    std::vector<std::string> clean_;
    std::size_t printers_ = 0;
};

}  // namespace ostrel
