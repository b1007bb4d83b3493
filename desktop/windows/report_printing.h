// Prints a report, formatted as shown, as one print job.
#pragma once

#include "platform/portable/memory_document.h"
#include "platform/win32/ui/rich_edit.h"

#include <windows.h>

#include <string>

namespace ostrel {

// Fills each page from the top of the printer's printable area over its full width and starts a
// new page when one is full, until the last character. The rich-text control lays the pages out;
// where it cannot (a control that formats nothing for a printer), the report is drawn from
// document, the text the control shows, with the same fonts, styles and colours. toFile sends the
// job to the print-to-file path (the system asks for the file). A job the user cancels there is no
// failure; any other failure throws std::runtime_error and abandons the job.
void PrintReport(ui::RichEdit& richEdit, const MemoryDocument& document, HDC printer, const std::wstring& documentName,
                 bool toFile);

}  // namespace ostrel
