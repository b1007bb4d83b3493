// The spooler's printer records (levels 1, 2, 4, 5, 6, 7) and driver records (levels 1 to 6),
// one section per level, each under its own guard.
#pragma once

#include "report/report_context.h"

namespace ostrel {

void WritePrinterInfoSections(ReportContext& context);
void WriteDriverInfoSections(ReportContext& context);

}  // namespace ostrel
