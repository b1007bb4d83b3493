// The compare command of a report window: asks for the other side (a printer of the list, or a
// printer of a snapshot file), builds its report and opens a compare window with the differences,
// the report window's printer as side A. A file that cannot be read, or a printer that cannot be
// opened, is told in a message box, and nothing is opened.
#pragma once

#include "desktop/windows/compare_window.h"
#include "desktop/windows/report_window.h"

#include <windows.h>

#include <string>
#include <vector>

namespace ostrel {

// entries: the printer list's entries, as the list shows them.
void CompareReportWith(CompareWindowHost& host, HWND owner, const ReportWindow& report,
                       const std::vector<std::string>& entries);

}  // namespace ostrel
