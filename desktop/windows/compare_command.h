// The compare command of a report window: asks for the other side (a printer of the list, or a
// printer of a snapshot file), builds its report and opens a compare window with the differences,
// the report window's printer as side A. A file that cannot be read, or a printer that cannot be
// opened, is told in a message box, and nothing is opened.
#pragma once

#include "desktop/windows/document_window.h"
#include "report/structured_report.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace ostrel {

// The report of entry as data (items), and why its printer did not open (openFailure); entries:
// the printer list's entries, as the list shows them.
void CompareReportWith(DocumentHost& host, HWND owner, const std::string& entry, const StructuredReport& items,
                       const std::optional<std::string>& openFailure, const std::vector<std::string>& entries);

}  // namespace ostrel
