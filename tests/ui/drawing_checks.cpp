// What the report window draws, read on the display's pixels: texts that only the screen can get
// wrong (a glyph the font leaves empty, a symbol font that does not resolve).
#include "desktop/command_table.h"
#include "tests/ui/bed.h"
#include "tests/ui/ostrel_session.h"
#include "tests/ui/remote_window.h"
#include "tests/ui/screen_capture.h"
#include "tests/ui/screen_pixels.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace ostrel::uitest {

namespace {

// Where the control draws character `index`, in its client coordinates.
POINT PositionOf(HANDLE process, HWND richEdit, long index) {
    POINTL at{-1, -1};
    RemoteMemory block(process, sizeof at);
    block.Write(&at, sizeof at);
    SendMessageW(richEdit, EM_POSFROMCHAR, static_cast<WPARAM>(block.Address()), index);
    block.Read(&at, sizeof at);
    return {at.x, at.y};
}

RECT ToScreen(HWND window, RECT r) {
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    MapWindowPoints(window, nullptr, corners, 2);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

RECT BoundsOf(const std::vector<POINT>& points) {
    RECT bounds{0, 0, 0, 0};
    if (points.empty()) return bounds;
    bounds = {points[0].x, points[0].y, points[0].x + 1, points[0].y + 1};
    for (const POINT& p : points) {
        bounds.left = std::min(bounds.left, p.x);
        bounds.top = std::min(bounds.top, p.y);
        bounds.right = std::max(bounds.right, p.x + 1);
        bounds.bottom = std::max(bounds.bottom, p.y + 1);
    }
    return bounds;
}

// The share of the dark pixels whose mirror image across the vertical middle of their bounds is
// dark too: 1 for a cross, low for a letter r.
double MirrorShare(const std::vector<POINT>& dark) {
    if (dark.empty()) return 0;
    const RECT b = BoundsOf(dark);
    std::size_t mirrored = 0;
    for (const POINT& p : dark) {
        const LONG mx = b.left + b.right - 1 - p.x;
        mirrored += std::any_of(dark.begin(), dark.end(), [&](const POINT& q) { return q.x == mx && q.y == p.y; });
    }
    return static_cast<double>(mirrored) / static_cast<double>(dark.size());
}

// The underscore between "DC" and "FIELDS" of the report's first section title.
void CheckUnderscore(Bed& bed, const OstrelSession& session, HWND report) {
    HWND richEdit = session.RichEditOf(report);
    const std::wstring text = session.ReportText(report);
    const std::size_t found = text.find(L"DC_FIELDS");
    if (!bed.Check(found != std::wstring::npos, "the report holds DC_FIELDS")) return;
    // The control counts a line break as one character.
    const auto breaks = std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(found), L'\n');
    const long underscore = static_cast<long>(found) - static_cast<long>(breaks) + 2;
    const POINT letter = PositionOf(session.Process(), richEdit, underscore - 1);
    const POINT at = PositionOf(session.Process(), richEdit, underscore);
    const POINT after = PositionOf(session.Process(), richEdit, underscore + 1);
    const LRESULT line = SendMessageW(richEdit, EM_EXLINEFROMCHAR, 0, underscore);
    const auto nextLine = static_cast<long>(SendMessageW(richEdit, EM_LINEINDEX, static_cast<WPARAM>(line + 1), 0));
    const POINT below = PositionOf(session.Process(), richEdit, nextLine);
    const ScreenPixels screen(bed.screen);
    if (!bed.Check(screen.Valid(), "the display's screen file can be read", screen.Problem())) return;
    // A character's cell: from its position to the next character's, one line high.
    const RECT letterCell = ToScreen(richEdit, {letter.x, letter.y, at.x, below.y});
    const RECT underscoreCell = ToScreen(richEdit, {at.x, at.y, after.x, below.y});
    // The text is smoothed: its strokes are grey on white, so anything below two thirds of white counts.
    constexpr int Ink = 510;
    const bool letterDrawn = !screen.DarkPixels(letterCell, Ink).empty();
    bed.Check(letterDrawn && !screen.DarkPixels(underscoreCell, Ink).empty(),
              "the report window draws the underscore of DC_FIELDS (dark pixels between DC and FIELDS)",
              std::string(letterDrawn ? "" : "not even the C beside it is drawn there; ") + "the cells of C_F:" +
                  screen.Picture({letterCell.left, letterCell.top, underscoreCell.right + (after.x - at.x),
                                  underscoreCell.bottom},
                                 Ink) +
                  "\n(C at " + std::to_string(letter.x) + "," + std::to_string(letter.y) + ", the next line at " +
                  std::to_string(below.y) + ")");
}

// The caption buttons of a report window that is not maximized: the symbol font's glyphs, a
// cross for close and a low bar for minimize, not the letters r and 0 that stand for them.
void CheckCaptionButtons(Bed& bed, const OstrelSession& session, HWND report) {
    session.Command(static_cast<unsigned>(CommandId::Cascade));
    if (!bed.Check(WaitUntil([&] { return !IsZoomed(report); }, 5000), "Cascade restores the maximized report window"))
        return;
    Settle(1500);
    RECT window{};
    GetWindowRect(report, &window);
    const int frame = GetSystemMetrics(SM_CXFRAME);
    const int width = GetSystemMetrics(SM_CXSIZE);
    const int height = GetSystemMetrics(SM_CYSIZE);
    // The buttons from the right: close, maximize, minimize; inside their raised edges.
    auto button = [&](int fromRight) {
        const int right = window.right - frame - fromRight * width;
        const int top = window.top + frame;
        return RECT{right - width + 3, top + 3, right - 3, top + height - 3};
    };
    const ScreenPixels screen(bed.screen);
    if (!bed.Check(screen.Valid(), "the display's screen file can be read", screen.Problem())) return;
    const RECT close = button(0);
    const RECT minimize = button(2);
    const auto cross = screen.DarkPixels(close);
    const RECT crossBounds = BoundsOf(cross);
    bed.Check(crossBounds.bottom - crossBounds.top >= 4 && MirrorShare(cross) >= 0.8,
              "a report window's close button draws a cross, not the letter r", screen.Picture(close));
    const auto bar = screen.DarkPixels(minimize);
    const RECT barBounds = BoundsOf(bar);
    bed.Check(!bar.empty() && barBounds.bottom - barBounds.top <= 3 && barBounds.right - barBounds.left >= 4,
              "a report window's minimize button draws a low bar, not the digit 0", screen.Picture(minimize));
    SendMessageW(session.MdiClient(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(report), 0);
    WaitUntil([&] { return IsZoomed(report) != FALSE; }, 5000);
}

// Pixels that stand out from the most common colour of their row: text on any background.
std::vector<std::vector<bool>> InkOf(const Pixels& pixels) {
    std::vector<std::vector<bool>> ink(static_cast<std::size_t>(pixels.height),
                                       std::vector<bool>(static_cast<std::size_t>(pixels.width), false));
    for (int y = 0; y < pixels.height; ++y) {
        std::map<std::uint32_t, int> counts;
        for (int x = 0; x < pixels.width; ++x) ++counts[pixels.At(x, y)];
        const std::uint32_t background =
            std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint32_t p = pixels.At(x, y);
            int difference = 0;
            for (int shift = 0; shift <= 16; shift += 8)
                difference = std::max(difference, std::abs(static_cast<int>((p >> shift) & 0xFF) -
                                                           static_cast<int>((background >> shift) & 0xFF)));
            ink[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = difference > 60;
        }
    }
    return ink;
}

}  // namespace

LOGFONTW FormFont() {
    LOGFONTW font{};
    font.lfHeight = -12;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(font.lfFaceName, L"ＭＳ Ｐゴシック", LF_FACESIZE);
    return font;
}

void CheckUnderscoreInk(Bed& bed, const std::string& where, const RECT& area, int searchFrom, const LOGFONTW& font,
                        const std::wstring& text, std::size_t at) {
    const std::string what = where + " draws the underscore of \"" + Utf8(text) + "\"";
    const Pixels pixels = CaptureScreen(area);
    if (!bed.Check(pixels.width > 0, what, "nothing to capture")) return;
    const auto ink = InkOf(pixels);
    const auto column = [&](int x) {
        for (int y = 0; y < pixels.height; ++y)
            if (ink[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]) return true;
        return false;
    };
    int first = std::max(0, static_cast<int>(searchFrom - area.left));
    while (first < pixels.width && !column(first)) ++first;
    // Where the text begins, and the underscore's cell in it, measured with the same font here.
    HDC dc = GetDC(nullptr);
    HFONT made = CreateFontIndirectW(&font);
    HGDIOBJ old = SelectObject(dc, made);
    ABC firstLetter{};
    GetCharABCWidthsW(dc, text[0], text[0], &firstLetter);
    SIZE before{}, through{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(at), &before);
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(at + 1), &through);
    SelectObject(dc, old);
    DeleteObject(made);
    ReleaseDC(nullptr, dc);
    const int origin = first - firstLetter.abcA;
    // One pixel in from each side: the letters beside it may reach into its cell's edge.
    const RECT cell{origin + before.cx + 1, 0, origin + through.cx - 1, pixels.height};
    int inked = 0;
    std::string picture;
    for (int y = 0; y < pixels.height; ++y) {
        picture += " | ";
        for (int x = cell.left - 3; x < cell.right + 3; ++x) {
            const bool dark = x >= 0 && x < pixels.width && ink[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            const bool inside = x >= cell.left && x < cell.right;
            inked += dark && inside ? 1 : 0;
            picture += dark ? '#' : (inside ? '.' : ' ');
        }
    }
    bed.Check(first < pixels.width && cell.right > cell.left && inked > 0, what,
              "the text from column " + std::to_string(first) + "; the underscore's cell " +
                  std::to_string(cell.left) + "-" + std::to_string(cell.right) + ":" + picture);
}

void CheckDrawing(Bed& bed, const OstrelSession& session, HWND report) {
    CheckUnderscore(bed, session, report);
    CheckCaptionButtons(bed, session, report);
}

}  // namespace ostrel::uitest
