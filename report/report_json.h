// The structured report as JSON for scripts (its schema: docs/report-json-format.md), and back.
#pragma once

#include "platform/portable/description_values.h"
#include "report/structured_report.h"

namespace ostrel {

Json JsonOfReport(const StructuredReport& report);

// Throws std::runtime_error for a document that does not follow the schema.
StructuredReport ReportOfJson(const Json& json);

}  // namespace ostrel
