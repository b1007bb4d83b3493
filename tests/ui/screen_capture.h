// What the display shows, read back as pixels, and the lines of text in a picture: enough to see
// whether two pieces of text on one line run into each other, or whether one is cut at an edge.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ostrel::uitest {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;  // 0x00RRGGBB, row by row from the top

    std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};

// The screen's pixels inside rectangle (screen coordinates).
Pixels CaptureScreen(const RECT& rectangle);

// A run of rows that hold ink (pixels that stand out from their row's most common colour), and
// its ink split into clusters: columns of ink with less than minGap empty columns between them.
struct InkLine {
    int top = 0;
    int bottom = 0;  // exclusive
    std::vector<std::pair<int, int>> clusters;  // [first, last] columns, left to right
};

// Lines at least minHeight rows tall; columns within margin of the left and right edges are not
// looked at (frames and borders).
std::vector<InkLine> InkLines(const Pixels& pixels, int margin, int minGap, int minHeight);

// "12-30, 45-80" for messages.
std::string Describe(const InkLine& line);

}  // namespace ostrel::uitest
