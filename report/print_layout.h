// How a report is laid out on printed pages when it is drawn from its document: each line as runs
// of equal character attributes, and the lines shared out over pages from the top.
#pragma once

#include "platform/portable/memory_document.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace ostrel {

struct PrintRun {
    std::string text;  // in the system code page
    CharFormat format;

    bool operator==(const PrintRun&) const = default;
};

// A line without text is one run with no text in the format the line has at its break.
using PrintLine = std::vector<PrintRun>;

std::vector<PrintLine> PrintLinesOf(const MemoryDocument& document);

// The index of the first line of each page, when lines of the given heights fill pages of the
// given height one after the other. A line taller than a page gets a page of its own. No lines
// still make one (empty) page.
std::vector<std::size_t> PageStarts(std::span<const int> lineHeights, int pageHeight);

}  // namespace ostrel
