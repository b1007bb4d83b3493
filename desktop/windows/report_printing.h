// Prints a report, formatted as shown, as one print job.
#pragma once

#include "platform/portable/memory_document.h"
#include "platform/win32/ui/rich_edit.h"

#include <windows.h>

#include <string>

namespace ostrel {

// Told of the job's progress between pages, so that it can keep the program answering and let
// the user cancel.
class PrintMonitor {
public:
    // Before page number of pages is printed; number 0 while the pages are still being laid out
    // (pages is then the count so far). False when the user cancelled: the job is abandoned.
    virtual bool Continue(int number, int pages) = 0;

protected:
    ~PrintMonitor() = default;
};

enum class PrintOutcome { Printed, Cancelled };

// Fills each page from the top of the printer's printable area over its full width and starts a
// new page when one is full, until the last character. The rich-text control lays the pages out;
// where it cannot (a control that formats nothing for a printer) or the report is long, the report
// is drawn from document, the text the control shows, with the same fonts, styles and colours.
// toFile sends the job to the print-to-file path (the system asks for the file). A job the user
// cancels there or through the monitor is no failure; any other failure throws
// std::runtime_error naming printerName and giving the system's reason, and abandons the job.
PrintOutcome PrintReport(ui::RichEdit& richEdit, const MemoryDocument& document, HDC printer,
                         const std::wstring& documentName, const std::string& printerName, bool toFile,
                         PrintMonitor& monitor);

}  // namespace ostrel
