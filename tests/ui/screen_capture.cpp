#include "tests/ui/screen_capture.h"

#include <cstdlib>
#include <map>

namespace ostrel::uitest {

namespace {

bool Differs(std::uint32_t a, std::uint32_t b) {
    for (int shift = 0; shift <= 16; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 60) return true;
    }
    return false;
}

}  // namespace

Pixels CaptureScreen(const RECT& r) {
    Pixels pixels;
    pixels.width = r.right - r.left;
    pixels.height = r.bottom - r.top;
    if (pixels.width <= 0 || pixels.height <= 0) return {};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, pixels.width, pixels.height, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        const auto* source = static_cast<const std::uint32_t*>(bits);
        pixels.rgb.assign(source, source + static_cast<std::size_t>(pixels.width) * pixels.height);
        for (auto& p : pixels.rgb) p &= 0xFFFFFF;
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (pixels.rgb.empty()) return {};
    return pixels;
}

std::vector<InkLine> InkLines(const Pixels& pixels, int margin, int minGap, int minHeight) {
    std::vector<std::vector<bool>> ink(static_cast<std::size_t>(pixels.height));
    std::vector<bool> rowHasInk(static_cast<std::size_t>(pixels.height), false);
    for (int y = 0; y < pixels.height; ++y) {
        std::map<std::uint32_t, int> counts;
        for (int x = margin; x < pixels.width - margin; ++x) ++counts[pixels.At(x, y)];
        std::uint32_t background = 0;
        int most = -1;
        for (const auto& [colour, count] : counts) {
            if (count > most) {
                most = count;
                background = colour;
            }
        }
        auto& row = ink[static_cast<std::size_t>(y)];
        row.assign(static_cast<std::size_t>(pixels.width), false);
        for (int x = margin; x < pixels.width - margin; ++x) {
            if (Differs(pixels.At(x, y), background)) {
                row[static_cast<std::size_t>(x)] = true;
                rowHasInk[static_cast<std::size_t>(y)] = true;
            }
        }
    }
    std::vector<InkLine> lines;
    for (int y = 0; y < pixels.height;) {
        if (!rowHasInk[static_cast<std::size_t>(y)]) {
            ++y;
            continue;
        }
        InkLine line;
        line.top = y;
        while (y < pixels.height && rowHasInk[static_cast<std::size_t>(y)]) ++y;
        line.bottom = y;
        if (line.bottom - line.top < minHeight) continue;
        int gap = minGap;
        for (int x = margin; x < pixels.width - margin; ++x) {
            bool column = false;
            for (int row = line.top; row < line.bottom && !column; ++row) column = ink[static_cast<std::size_t>(row)][static_cast<std::size_t>(x)];
            if (!column) {
                ++gap;
                continue;
            }
            if (gap >= minGap || line.clusters.empty()) {
                line.clusters.push_back({x, x});
            } else {
                line.clusters.back().second = x;
            }
            gap = 0;
        }
        lines.push_back(line);
    }
    return lines;
}

std::string Describe(const InkLine& line) {
    std::string text = "rows ";
    text += std::to_string(line.top);
    text += '-';
    text += std::to_string(line.bottom);
    text += ':';
    for (const auto& [first, last] : line.clusters) {
        text += ' ';
        text += std::to_string(first);
        text += '-';
        text += std::to_string(last);
    }
    return text;
}

}  // namespace ostrel::uitest
