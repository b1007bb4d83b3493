#include "report/print_layout.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(PrintLayout, SplitsLinesIntoRunsOfEqualAttributes)
{
    MemoryDocument document;
    document.AppendLine("a : *** NOT SUPPORTED ***");
    document.AppendLine("");
    document.AppendLine("b");
    document.SetSelection(4, 21);
    document.SetSelectionColor(ColorRed);
    document.SetSelectionStyles(StyleBold);

    CharFormat marker = MemoryDocument::DefaultFormat();
    marker.color = ColorRed;
    marker.styles = StyleBold;
    const CharFormat plain = MemoryDocument::DefaultFormat();
    const std::vector<PrintLine> expected{
        {PrintRun{"a : ", plain}, PrintRun{"*** NOT SUPPORTED ***", marker}},
        {PrintRun{"", plain}},
        {PrintRun{"b", plain}},
    };
    EXPECT_EQ(PrintLinesOf(document), expected);
    EXPECT_TRUE(PrintLinesOf(MemoryDocument()).empty());
}

TEST(PrintLayout, FillsPagesFromTheTop)
{
    struct Case {
        const char* what;
        std::vector<int> heights;
        int pageHeight;
        std::vector<std::size_t> starts;
    };
    const Case cases[] = {
        {"no lines still print one page", {}, 100, {0}},
        {"lines that fill a page exactly", {50, 50, 50}, 100, {0, 2}},
        {"a line that does not fit starts the next page", {40, 40, 40, 10}, 100, {0, 2}},
        {"a line taller than a page stands alone", {10, 300, 10}, 100, {0, 1, 2}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PageStarts(c.heights, c.pageHeight), c.starts) << c.what;
}

}  // namespace
}  // namespace ostrel
