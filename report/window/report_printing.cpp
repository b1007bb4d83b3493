#include "report/window/report_printing.h"

#include <richedit.h>

#include <stdexcept>

namespace ostrel {

namespace {

constexpr int TwipsPerInch = 1440;

[[noreturn]] void Fail(const char* step)
{
    throw std::runtime_error(std::string("printing failed: ") + step + " (system error " +
                             std::to_string(GetLastError()) + ")");
}

// Abandons the job unless it was ended, and frees what the control cached for the printer.
class PrintJob {
public:
    PrintJob(HWND richEdit, HDC printer) : richEdit_(richEdit), printer_(printer) {}
    ~PrintJob()
    {
        SendMessageW(richEdit_, EM_FORMATRANGE, FALSE, 0);
        if (!ended_)
            AbortDoc(printer_);
    }
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    void End()
    {
        ended_ = true;
        if (EndDoc(printer_) <= 0)
            Fail("the job could not be ended");
    }

private:
    HWND richEdit_;
    HDC printer_;
    bool ended_ = false;
};

// The printable area in twips; the printer's origin is its top-left corner.
RECT PrintableArea(HDC printer)
{
    const int dpiX = GetDeviceCaps(printer, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    if (dpiX <= 0 || dpiY <= 0)
        throw std::runtime_error("printing failed: the printer reports no resolution");
    return RECT{0, 0, MulDiv(GetDeviceCaps(printer, HORZRES), TwipsPerInch, dpiX),
                MulDiv(GetDeviceCaps(printer, VERTRES), TwipsPerInch, dpiY)};
}

}  // namespace

void PrintRichText(HWND richEdit, HDC printer, const std::wstring& documentName, bool toFile)
{
    const RECT area = PrintableArea(printer);
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = documentName.c_str();
    document.lpszOutput = toFile ? L"FILE:" : nullptr;
    if (StartDocW(printer, &document) <= 0) {
        if (GetLastError() == ERROR_CANCELLED)
            return;
        Fail("the job could not be started");
    }
    PrintJob job(richEdit, printer);

    GETTEXTLENGTHEX lengthQuery{GTL_NUMCHARS | GTL_PRECISE, 1200};
    const LONG length =
        static_cast<LONG>(SendMessageW(richEdit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthQuery), 0));
    FORMATRANGE range{};
    range.hdc = printer;
    range.hdcTarget = printer;
    range.rcPage = area;
    LONG first = 0;
    do {
        if (StartPage(printer) <= 0)
            Fail("a page could not be started");
        range.rc = area;  // the control shortens it to what the page took
        range.chrg.cpMin = first;
        range.chrg.cpMax = -1;
        const LONG next = static_cast<LONG>(SendMessageW(richEdit, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
        if (EndPage(printer) <= 0)
            Fail("a page could not be ended");
        // A page that took nothing would never end the loop: what is left cannot be printed.
        if (next <= first)
            break;
        first = next;
    } while (first < length);
    job.End();
}

}  // namespace ostrel
