// The console tool's findings: each printer's report judged by the rules, one line a finding, or a
// fleet's findings summed up by rule.
#pragma once

#include "console/printer_systems.h"
#include "findings/finding.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

struct FindingsRequest {
    std::optional<Severity> failLevel;
    bool summary = false;  // every printer's findings by rule (FleetSummary), not line by line
};

struct FindingsOutput {
    std::string text;
    bool reachedLevel = false;  // a finding at or above the level asked for
};

// The findings of the printer entry names, or, without an entry, of every printer of every system:
// then each line begins with the printer's entry, after its description file's name where it has
// one. "No findings." when there are none.
FindingsOutput CollectFindings(const PrinterSystems& systems, const std::optional<std::string>& entry,
                               const FindingsRequest& request, std::ostream& err);

// The findings of every printer of the description files, each line beginning with the file and the
// printer's entry. Each file is read, judged and let go before the next, so that a fleet's snapshots
// need not fit in memory at once. Throws std::runtime_error for a file that cannot be read.
FindingsOutput CollectFindings(const std::vector<std::string>& files, const FindingsRequest& request,
                               std::ostream& err);

}  // namespace ostrel
