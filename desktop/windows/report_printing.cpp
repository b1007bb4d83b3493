#include "desktop/windows/report_printing.h"

#include "desktop/windows/print_failure.h"
#include "desktop/windows/print_thread.h"

#include "platform/win32/ui/handles.h"
#include "platform/win32/wide_text.h"
#include "report/print_layout.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace ostrel {

namespace {

constexpr int TwipsPerInch = 1440;
constexpr int PointsPerInch = 72;
// The report's font names are in the user interface's code page.
constexpr UINT FontNameCodePage = 932;
// Some controls lay out the whole text again for every page they format (under Wine about half a
// second a page for an 11 KB report), so a long report would hold the program for seconds between
// two pages: beyond this many characters the pages are drawn from the document.
constexpr LONG ControlLayoutLimit = 32 * 1024;

// The printer's name and the step that failed, with what the spooler and the system say.
[[noreturn]] void Fail(const std::string& printerName, PrintStep step, int jobId = 0)
{
    ThrowPrintFailure(printerName, step, GetLastError(), jobId);
}

// Abandons the job unless it was ended, and frees what the control cached for the printer.
class PrintJob {
public:
    PrintJob(ui::RichEdit& richEdit, HDC printer, const std::string& printerName, int jobId)
        : richEdit_(richEdit), printer_(printer), printerName_(printerName), jobId_(jobId)
    {
    }
    ~PrintJob()
    {
        richEdit_.EndFormatting();
        if (!ended_)
            AbortDoc(printer_);
    }
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    void StartPage()
    {
        if (::StartPage(printer_) <= 0)
            Fail(printerName_, PrintStep::StartPage, jobId_);
    }
    void EndPage()
    {
        if (::EndPage(printer_) <= 0)
            Fail(printerName_, PrintStep::EndPage, jobId_);
    }
    void End()
    {
        ended_ = true;
        if (EndDoc(printer_) <= 0)
            Fail(printerName_, PrintStep::EndJob, jobId_);
    }
    const std::string& PrinterName() const { return printerName_; }

private:
    ui::RichEdit& richEdit_;
    HDC printer_;
    std::string printerName_;
    int jobId_;
    bool ended_ = false;
};

// The printable area in twips; the printer's origin is its top-left corner.
RECT PrintableTwips(HDC printer, const std::string& printerName)
{
    const int dpiX = GetDeviceCaps(printer, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    if (dpiX <= 0 || dpiY <= 0)
        ThrowPrintFailure(printerName, PrintStep::NoResolution, 0, 0);
    return RECT{0, 0, MulDiv(GetDeviceCaps(printer, HORZRES), TwipsPerInch, dpiX),
                MulDiv(GetDeviceCaps(printer, VERTRES), TwipsPerInch, dpiY)};
}

FORMATRANGE RangeFrom(HDC printer, const RECT& area, LONG first)
{
    FORMATRANGE range{};
    range.hdc = printer;
    range.hdcTarget = printer;
    range.rc = area;
    range.rcPage = area;
    range.chrg.cpMin = first;
    range.chrg.cpMax = -1;
    return range;
}

// The first character of each page, laid out without drawing, so that the pages can be counted.
// Empty when the monitor cancelled.
std::vector<LONG> ControlPageStarts(ui::RichEdit& richEdit, HDC printer, LONG length, const RECT& area,
                                    PrintMonitor& monitor)
{
    std::vector<LONG> starts;
    LONG first = 0;
    do {
        if (!monitor.Continue(0, static_cast<int>(starts.size())))
            return {};
        starts.push_back(first);
        FORMATRANGE range = RangeFrom(printer, area, first);
        const LONG next = richEdit.FormatRange(range, false);
        // A page that took nothing would never end the loop: what is left cannot be printed.
        if (next <= first)
            break;
        first = next;
    } while (first < length);
    richEdit.EndFormatting();
    return starts;
}

PrintOutcome PrintThroughControl(ui::RichEdit& richEdit, HDC printer, PrintJob& job, const std::vector<LONG>& starts,
                                 const RECT& area, PrintMonitor& monitor)
{
    const int pages = static_cast<int>(starts.size());
    for (int page = 0; page < pages; ++page) {
        if (!monitor.Continue(page + 1, pages))
            return PrintOutcome::Cancelled;
        job.StartPage();
        FORMATRANGE range = RangeFrom(printer, area, starts[static_cast<std::size_t>(page)]);
        if (page + 1 < pages)
            range.chrg.cpMax = starts[static_cast<std::size_t>(page) + 1];
        richEdit.FormatRange(range, true);
        job.EndPage();
    }
    job.End();
    return PrintOutcome::Printed;
}

// One printer font per character format, made on first use.
class PrintFonts {
public:
    PrintFonts(HDC printer, const std::string& printerName)
        : printer_(printer), printerName_(printerName), dpiY_(GetDeviceCaps(printer, LOGPIXELSY))
    {
    }

    struct Font {
        CharFormat format;
        ui::UniqueFont handle;
        TEXTMETRICW metrics{};
    };

    const Font& For(const CharFormat& format)
    {
        for (const Font& font : fonts_) {
            if (font.format == format)
                return font;
        }
        std::wstring face = Widen(format.fontName, FontNameCodePage);
        if (face.empty())
            face = Widen(format.fontName, CP_ACP);
        Font font{format, ui::UniqueFont(CreateFontW(
                              -MulDiv(format.sizePoints, dpiY_, PointsPerInch), 0, 0, 0,
                              (format.styles & StyleBold) ? FW_BOLD : FW_NORMAL, (format.styles & StyleItalic) != 0,
                              (format.styles & StyleUnderline) != 0, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str()))};
        if (!font.handle)
            Fail(printerName_, PrintStep::NoFont);
        const ui::SelectedObject selected(printer_, font.handle.get());
        GetTextMetricsW(printer_, &font.metrics);
        fonts_.push_back(std::move(font));
        return fonts_.back();
    }

private:
    HDC printer_;
    const std::string& printerName_;
    int dpiY_;
    std::vector<Font> fonts_;  // a few: the report uses a handful of formats
};

struct LineMetrics {
    int ascent = 0;
    int height = 0;
};

LineMetrics MetricsOf(const PrintLine& line, PrintFonts& fonts)
{
    LineMetrics metrics;
    int descent = 0;
    for (const PrintRun& run : line) {
        const TEXTMETRICW& font = fonts.For(run.format).metrics;
        metrics.ascent = std::max(metrics.ascent, static_cast<int>(font.tmAscent));
        descent = std::max(descent, static_cast<int>(font.tmDescent + font.tmExternalLeading));
    }
    metrics.height = metrics.ascent + descent;
    return metrics;
}

// A run as the page thread draws it, with what it needs found beforehand.
struct DrawnRun {
    std::wstring text;
    HFONT font;
    COLORREF color;
};

struct DrawnLine {
    int baseline;  // from the top of the page
    std::vector<DrawnRun> runs;
};

using DrawnPage = std::vector<DrawnLine>;

// The document's lines shared out over pages, each run with its printer font.
std::vector<DrawnPage> PagesOf(const MemoryDocument& document, HDC printer, PrintFonts& fonts)
{
    const std::vector<PrintLine> lines = PrintLinesOf(document);
    std::vector<LineMetrics> metrics;
    std::vector<int> heights;
    for (const PrintLine& line : lines) {
        metrics.push_back(MetricsOf(line, fonts));
        heights.push_back(metrics.back().height);
    }
    std::vector<std::size_t> starts = PageStarts(heights, GetDeviceCaps(printer, VERTRES));
    starts.push_back(lines.size());

    std::vector<DrawnPage> pages(starts.size() - 1);
    for (std::size_t page = 0; page < pages.size(); ++page) {
        int top = 0;
        for (std::size_t index = starts[page]; index < starts[page + 1]; ++index) {
            DrawnLine drawn{top + metrics[index].ascent, {}};
            for (const PrintRun& run : lines[index])
                drawn.runs.push_back({Widen(run.text, CP_ACP), fonts.For(run.format).handle.get(), run.format.color});
            pages[page].push_back(std::move(drawn));
            top += metrics[index].height;
        }
    }
    return pages;
}

// Draws the pages, runs side by side on a common baseline, and ends the job; false when stop was
// requested first. On the page thread.
bool DrawPages(const std::vector<DrawnPage>& pages, HDC printer, PrintJob& job, const std::stop_token& stop,
               const PageStarting& starting)
{
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (stop.stop_requested())
            return false;
        starting(static_cast<int>(page) + 1);
        job.StartPage();
        SetBkMode(printer, TRANSPARENT);
        SetTextAlign(printer, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
        // Selecting a font is slow on some printer drivers (they prepare the font for download each
        // time): a font is selected when it changes, and the page's first one is restored at its end.
        const ui::SelectedObject restore(printer, GetCurrentObject(printer, OBJ_FONT));
        HFONT selected = nullptr;
        COLORREF color = CLR_INVALID;
        for (const DrawnLine& line : pages[page]) {
            // A page can keep the driver busy for seconds: a cancelled job is abandoned mid-page.
            if (stop.stop_requested())
                return false;
            int x = 0;
            for (const DrawnRun& run : line.runs) {
                if (run.font != selected) {
                    SelectObject(printer, run.font);
                    selected = run.font;
                }
                if (run.color != color) {
                    SetTextColor(printer, run.color);
                    color = run.color;
                }
                ExtTextOutW(printer, x, line.baseline, 0, nullptr, run.text.c_str(),
                            static_cast<UINT>(run.text.size()), nullptr);
                SIZE extent{};
                GetTextExtentPoint32W(printer, run.text.c_str(), static_cast<int>(run.text.size()), &extent);
                x += extent.cx;
            }
        }
        job.EndPage();
    }
    job.End();
    return true;
}

// Lays the pages out here and leaves the printer to the page thread until the job has ended.
PrintOutcome PrintFromDocument(const MemoryDocument& document, HDC printer, PrintJob& job, PrintMonitor& monitor)
{
    PrintFonts fonts(printer, job.PrinterName());
    const std::vector<DrawnPage> pages = PagesOf(document, printer, fonts);
    return RunPagesOffThread(
        [&](std::stop_token stop, const PageStarting& starting) {
            return DrawPages(pages, printer, job, stop, starting);
        },
        static_cast<int>(pages.size()), monitor);
}

}  // namespace

PrintOutcome PrintReport(ui::RichEdit& richEdit, const MemoryDocument& document, HDC printer,
                         const std::wstring& documentName, const std::string& printerName, bool toFile,
                         PrintMonitor& monitor)
{
    const RECT area = PrintableTwips(printer, printerName);
    const LONG length = richEdit.TextLength();
    bool controlFormats = false;
    if (length <= ControlLayoutLimit) {
        FORMATRANGE firstPage = RangeFrom(printer, area, 0);
        controlFormats = length == 0 || richEdit.FormatRange(firstPage, false) > 0;
        richEdit.EndFormatting();
    }
    std::vector<LONG> starts;
    if (controlFormats) {
        starts = ControlPageStarts(richEdit, printer, length, area, monitor);
        if (starts.empty())
            return PrintOutcome::Cancelled;
    }

    DOCINFOW job{};
    job.cbSize = sizeof job;
    job.lpszDocName = documentName.c_str();
    job.lpszOutput = toFile ? L"FILE:" : nullptr;
    const int jobId = StartDocW(printer, &job);
    if (jobId <= 0) {
        if (GetLastError() == ERROR_CANCELLED)
            return PrintOutcome::Cancelled;
        Fail(printerName, PrintStep::StartJob);
    }
    PrintJob printJob(richEdit, printer, printerName, jobId);
    return controlFormats ? PrintThroughControl(richEdit, printer, printJob, starts, area, monitor)
                          : PrintFromDocument(document, printer, printJob, monitor);
}

}  // namespace ostrel
