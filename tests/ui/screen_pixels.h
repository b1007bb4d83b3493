// What the test bed's X display shows, read from the screen file Xvfb keeps (-fbdir): the pixels
// as a user sees them, without a screenshot program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ostrel::uitest {

class ScreenPixels {
public:
    // Reads the screen file (an XWD image of 32 bits a pixel); Valid() is false when it cannot.
    explicit ScreenPixels(const std::wstring& screenFile);

    bool Valid() const { return width_ > 0; }
    std::string Problem() const { return problem_; }
    // 0 (black) to 765 (white): red + green + blue; outside the screen, white.
    int Brightness(int x, int y) const;
    // The dark pixels (brightness below threshold) of a rectangle in screen coordinates.
    std::vector<POINT> DarkPixels(const RECT& area, int threshold = 200) const;
    // The rectangle as one line of text, rows after " | ", '#' for a dark pixel: the detail of a
    // failed check.
    std::string Picture(const RECT& area, int threshold = 200) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::size_t lineBytes_ = 0;
    bool littleEndian_ = true;
    std::vector<std::uint8_t> pixels_;
    std::string problem_;
};

}  // namespace ostrel::uitest
