// Prints what a rich-text control holds, formatted as shown, as one print job.
#pragma once

#include <windows.h>

#include <string>

namespace ostrel {

// Fills each page from the top of the printer's printable area over its full width and starts a
// new page when one is full, until the last character. toFile sends the job to the print-to-file
// path (the system asks for the file). A job the user cancels there is no failure; any other
// failure throws std::runtime_error and abandons the job.
void PrintRichText(HWND richEdit, HDC printer, const std::wstring& documentName, bool toFile);

}  // namespace ostrel
