// The first section of a report: the driver's answers to the device-capability indexes 1 to 35.
#pragma once

#include "report/report_context.h"

namespace ostrel {

void WriteCapabilitySection(ReportContext& context);

}  // namespace ostrel
