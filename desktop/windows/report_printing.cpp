#include "desktop/windows/report_printing.h"

#include "platform/win32/ui/handles.h"
#include "platform/win32/wide_text.h"
#include "report/print_layout.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

namespace ostrel {

namespace {

constexpr int TwipsPerInch = 1440;
constexpr int PointsPerInch = 72;
// The report's font names are in the user interface's code page.
constexpr UINT FontNameCodePage = 932;

[[noreturn]] void Fail(const char* step)
{
    throw std::runtime_error(std::string("printing failed: ") + step + " (system error " +
                             std::to_string(GetLastError()) + ")");
}

// Abandons the job unless it was ended, and frees what the control cached for the printer.
class PrintJob {
public:
    PrintJob(ui::RichEdit& richEdit, HDC printer) : richEdit_(richEdit), printer_(printer) {}
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
            Fail("a page could not be started");
    }
    void EndPage()
    {
        if (::EndPage(printer_) <= 0)
            Fail("a page could not be ended");
    }
    void End()
    {
        ended_ = true;
        if (EndDoc(printer_) <= 0)
            Fail("the job could not be ended");
    }

private:
    ui::RichEdit& richEdit_;
    HDC printer_;
    bool ended_ = false;
};

// The printable area in twips; the printer's origin is its top-left corner.
RECT PrintableTwips(HDC printer)
{
    const int dpiX = GetDeviceCaps(printer, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    if (dpiX <= 0 || dpiY <= 0)
        throw std::runtime_error("printing failed: the printer reports no resolution");
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

void PrintThroughControl(ui::RichEdit& richEdit, HDC printer, PrintJob& job, LONG length, const RECT& area)
{
    LONG first = 0;
    do {
        job.StartPage();
        FORMATRANGE range = RangeFrom(printer, area, first);
        const LONG next = richEdit.FormatRange(range, true);
        job.EndPage();
        // A page that took nothing would never end the loop: what is left cannot be printed.
        if (next <= first)
            break;
        first = next;
    } while (first < length);
}

// One printer font per character format, made on first use.
class PrintFonts {
public:
    explicit PrintFonts(HDC printer) : printer_(printer), dpiY_(GetDeviceCaps(printer, LOGPIXELSY)) {}

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
            Fail("no font for the report");
        const ui::SelectedObject selected(printer_, font.handle.get());
        GetTextMetricsW(printer_, &font.metrics);
        fonts_.push_back(std::move(font));
        return fonts_.back();
    }

private:
    HDC printer_;
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

// Draws the document's lines on pages of the printable area, runs side by side on a common baseline.
void PrintFromDocument(const MemoryDocument& document, HDC printer, PrintJob& job)
{
    const std::vector<PrintLine> lines = PrintLinesOf(document);
    PrintFonts fonts(printer);
    std::vector<LineMetrics> metrics;
    std::vector<int> heights;
    for (const PrintLine& line : lines) {
        metrics.push_back(MetricsOf(line, fonts));
        heights.push_back(metrics.back().height);
    }
    std::vector<std::size_t> starts = PageStarts(heights, GetDeviceCaps(printer, VERTRES));
    starts.push_back(lines.size());

    for (std::size_t page = 0; page + 1 < starts.size(); ++page) {
        job.StartPage();
        SetBkMode(printer, TRANSPARENT);
        SetTextAlign(printer, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
        int top = 0;
        for (std::size_t index = starts[page]; index < starts[page + 1]; ++index) {
            int x = 0;
            for (const PrintRun& run : lines[index]) {
                const std::wstring text = Widen(run.text, CP_ACP);
                const ui::SelectedObject selected(printer, fonts.For(run.format).handle.get());
                SetTextColor(printer, run.format.color);
                ExtTextOutW(printer, x, top + metrics[index].ascent, 0, nullptr, text.c_str(),
                            static_cast<UINT>(text.size()), nullptr);
                SIZE extent{};
                GetTextExtentPoint32W(printer, text.c_str(), static_cast<int>(text.size()), &extent);
                x += extent.cx;
            }
            top += metrics[index].height;
        }
        job.EndPage();
    }
}

}  // namespace

void PrintReport(ui::RichEdit& richEdit, const MemoryDocument& document, HDC printer, const std::wstring& documentName,
                 bool toFile)
{
    const RECT area = PrintableTwips(printer);
    const LONG length = richEdit.TextLength();
    FORMATRANGE firstPage = RangeFrom(printer, area, 0);
    const bool controlFormats = length == 0 || richEdit.FormatRange(firstPage, false) > 0;
    richEdit.EndFormatting();

    DOCINFOW job{};
    job.cbSize = sizeof job;
    job.lpszDocName = documentName.c_str();
    job.lpszOutput = toFile ? L"FILE:" : nullptr;
    if (StartDocW(printer, &job) <= 0) {
        if (GetLastError() == ERROR_CANCELLED)
            return;
        Fail("the job could not be started");
    }
    PrintJob printJob(richEdit, printer);
    if (controlFormats)
        PrintThroughControl(richEdit, printer, printJob, length, area);
    else
        PrintFromDocument(document, printer, printJob);
    printJob.End();
}

}  // namespace ostrel
