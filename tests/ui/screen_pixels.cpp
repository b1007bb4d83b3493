#include "tests/ui/screen_pixels.h"

#include <fstream>
#include <iterator>

namespace ostrel::uitest {

namespace {

// The XWD header: big-endian 32-bit fields, in this order.
enum XwdField {
    HeaderSize, FileVersion, PixmapFormat, PixmapDepth, PixmapWidth, PixmapHeight, XOffset, ByteOrder,
    BitmapUnit, BitmapBitOrder, BitmapPad, BitsPerPixel, BytesPerLine, VisualClass, RedMask, GreenMask,
    BlueMask, BitsPerRgb, ColormapEntries, ColorCount, FieldCount
};
constexpr std::size_t XwdColorSize = 12;
constexpr std::uint32_t ZPixmap = 2;

std::uint32_t BigEndian(const std::vector<std::uint8_t>& data, std::size_t at) {
    return std::uint32_t{data[at]} << 24 | std::uint32_t{data[at + 1]} << 16 | std::uint32_t{data[at + 2]} << 8 |
           data[at + 3];
}

}  // namespace

ScreenPixels::ScreenPixels(const std::wstring& screenFile) {
    std::ifstream in(screenFile.c_str(), std::ios::binary);
    std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.size() < FieldCount * 4) {
        problem_ = "the screen file cannot be read";
        return;
    }
    std::uint32_t field[FieldCount];
    for (int i = 0; i < FieldCount; ++i) field[i] = BigEndian(data, static_cast<std::size_t>(i) * 4);
    // Xvfb's 24-bit screens are 32 bits a pixel, red in the high byte.
    if (field[FileVersion] != 7 || field[PixmapFormat] != ZPixmap || field[BitsPerPixel] != 32 ||
        field[RedMask] != 0xFF0000 || field[BlueMask] != 0xFF) {
        problem_ = "the screen file is not a 32-bit XWD image";
        return;
    }
    const std::size_t start = field[HeaderSize] + std::size_t{field[ColorCount]} * XwdColorSize;
    lineBytes_ = field[BytesPerLine];
    if (start + lineBytes_ * field[PixmapHeight] > data.size()) {
        problem_ = "the screen file is shorter than its picture";
        return;
    }
    littleEndian_ = field[ByteOrder] == 0;
    pixels_.assign(data.begin() + static_cast<std::ptrdiff_t>(start), data.end());
    width_ = static_cast<int>(field[PixmapWidth]);
    height_ = static_cast<int>(field[PixmapHeight]);
}

int ScreenPixels::Brightness(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 765;
    const std::uint8_t* p = &pixels_[static_cast<std::size_t>(y) * lineBytes_ + static_cast<std::size_t>(x) * 4];
    // Little-endian pixels: blue, green, red, unused; big-endian ones the other way round.
    return littleEndian_ ? p[0] + p[1] + p[2] : p[1] + p[2] + p[3];
}

std::vector<POINT> ScreenPixels::DarkPixels(const RECT& area, int threshold) const {
    std::vector<POINT> dark;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (Brightness(x, y) < threshold) dark.push_back({x, y});
    return dark;
}

std::string ScreenPixels::Picture(const RECT& area, int threshold) const {
    std::string picture;
    for (int y = area.top; y < area.bottom; ++y) {
        picture += " | ";
        for (int x = area.left; x < area.right; ++x) picture += Brightness(x, y) < threshold ? '#' : '.';
    }
    return picture;
}

}  // namespace ostrel::uitest
