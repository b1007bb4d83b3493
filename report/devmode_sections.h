// The device mode as five parties hold it: the printer's default, the user's and the global
// default, the driver's document properties and the application's current printer. A record equal
// to one shown before is folded into a "Same as" line.
#pragma once

#include "report/report_context.h"

namespace ostrel {

void WriteDevModeSections(ReportContext& context);

}  // namespace ostrel
