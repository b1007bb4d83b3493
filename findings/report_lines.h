// Where a finding's report lines stand in a report's text, so that a window can select them.
#pragma once

#include "findings/finding.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace ostrel {

// The index of the first line in section ("- section -") that begins with the label, followed by
// its padding or its colon; none when the report has no such line.
std::optional<std::size_t> FindReportLine(std::span<const std::string> lines, const ReportLine& line);

}  // namespace ostrel
