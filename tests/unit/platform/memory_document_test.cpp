#include "platform/portable/memory_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace ostrel {
namespace {

const CharFormat MarkerFormat{"Arial", 9, StyleBold, ColorRed};

void Style(MemoryDocument& doc, int start, int length, const CharFormat& format) {
    doc.SetSelection(start, length);
    doc.SetSelectionFontName(format.fontName);
    doc.SetSelectionSize(format.sizePoints);
    doc.SetSelectionStyles(format.styles);
    doc.SetSelectionColor(format.color);
}

// True when every unescaped brace pairs up and only the last character closes the outer group.
bool BracesBalanced(const std::string& rtf) {
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
        } else if (rtf[i] == '{') {
            ++depth;
        } else if (rtf[i] == '}') {
            if (--depth < 0 || (depth == 0 && i + 1 != rtf.size())) {
                return false;
            }
        }
    }
    return depth == 0;
}

TEST(MemoryDocument, CountsAppendedLinesAndPlacesCaretAtEnd) {
    MemoryDocument doc;
    EXPECT_EQ(doc.LineCount(), 0);

    doc.AppendLine("abc");
    doc.AppendLine("");
    doc.AppendLine("de");
    EXPECT_EQ(doc.LineCount(), 3);
    EXPECT_EQ(doc.Text(), "abc\n\nde\n");
    EXPECT_EQ(doc.TextLength(), 8);
    EXPECT_EQ(doc.SelectionStart(), 8);
    EXPECT_EQ(doc.SelectionLength(), 0);
}

TEST(MemoryDocument, BreaksInsideAppendedTextBecomeLines) {
    MemoryDocument doc;
    doc.AppendLine("a\r\nb\rc\nd");
    EXPECT_EQ(doc.Text(), "a\nb\nc\nd\n");
    EXPECT_EQ(doc.LineCount(), 4);
    EXPECT_EQ(doc.PlainText(), "a\r\nb\r\nc\r\nd\r\n");
}

TEST(MemoryDocument, SelectionIsClampedToText) {
    MemoryDocument doc;
    doc.AppendLine("abcd");
    doc.SetSelection(3, 100);
    EXPECT_EQ(doc.SelectionStart(), 3);
    EXPECT_EQ(doc.SelectionLength(), 2);
    doc.SetSelection(-4, -1);
    EXPECT_EQ(doc.SelectionStart(), 0);
    EXPECT_EQ(doc.SelectionLength(), 0);
}

TEST(MemoryDocument, AttributesApplyToExactlyTheSelectedCharacters) {
    MemoryDocument doc;
    doc.AppendLine("hello world");
    const CharFormat title{"Times New Roman", 18, StyleBold | StyleUnderline, ColorBlack};
    Style(doc, 6, 5, title);

    for (int position = 0; position < doc.TextLength(); ++position) {
        const bool selected = position >= 6 && position < 11;
        EXPECT_EQ(doc.FormatAt(position), selected ? title : MemoryDocument::DefaultFormat())
            << "at " << position;
    }

    // An overlapping change splits the styled run and keeps what it does not set.
    doc.SetSelection(3, 5);
    doc.SetSelectionStyles(StyleItalic);
    CharFormat plainItalic = MemoryDocument::DefaultFormat();
    plainItalic.styles = StyleItalic;
    CharFormat titleItalic = title;
    titleItalic.styles = StyleItalic;
    EXPECT_EQ(doc.FormatAt(2), MemoryDocument::DefaultFormat());
    EXPECT_EQ(doc.FormatAt(5), plainItalic);
    EXPECT_EQ(doc.FormatAt(7), titleItalic);
    EXPECT_EQ(doc.FormatAt(8), title);

    // Text appended after styling is plain, as the writer expects.
    doc.AppendLine("next");
    EXPECT_EQ(doc.FormatAt(12), MemoryDocument::DefaultFormat());

    doc.SetSelection(0, doc.TextLength());
    doc.ResetSelectionAttributes();
    for (int position = 0; position < doc.TextLength(); ++position) {
        EXPECT_EQ(doc.FormatAt(position), MemoryDocument::DefaultFormat()) << "at " << position;
    }
}

// The document looks its runs up from the one it used last; selections that jump far back, far
// ahead, into the middle of a run and onto run edges must style exactly what a per-character
// model styles, with lines appended between them.
TEST(MemoryDocument, StylesSelectionsAnywhereLikeAPerCharacterModel) {
    MemoryDocument doc;
    std::vector<CharFormat> model;
    const auto append = [&](const std::string& line) {
        doc.AppendLine(line);
        model.resize(static_cast<std::size_t>(doc.TextLength()), MemoryDocument::DefaultFormat());
    };
    for (int line = 0; line < 40; ++line) {
        append("line " + std::to_string(line));
    }
    const CharFormat formats[] = {MarkerFormat, {"Times New Roman", 18, StyleBold, ColorBlack},
                                  MemoryDocument::DefaultFormat()};
    unsigned seed = 12345;
    const auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % range);
    };
    for (int step = 0; step < 400; ++step) {
        if (step % 50 == 49) {
            append("more");
        }
        const int start = next(static_cast<unsigned>(doc.TextLength()));
        const int length = 1 + next(step % 3 == 0 ? 60u : 6u);
        const CharFormat& format = formats[next(3)];
        Style(doc, start, length, format);
        for (int at = start; at < std::min(start + length, doc.TextLength()); ++at) {
            model[static_cast<std::size_t>(at)] = format;
        }
        for (int at = 0; at < doc.TextLength(); ++at) {
            ASSERT_EQ(doc.FormatAt(at), model[static_cast<std::size_t>(at)]) << "step " << step << " at " << at;
        }
    }
}

TEST(MemoryDocument, EmptySelectionChangesNothing) {
    MemoryDocument doc;
    doc.AppendLine("abc");
    doc.SetSelection(1, 0);
    doc.SetSelectionColor(ColorRed);
    doc.ResetSelectionAttributes();
    for (int position = 0; position < doc.TextLength(); ++position) {
        EXPECT_EQ(doc.FormatAt(position), MemoryDocument::DefaultFormat());
    }
}

TEST(MemoryDocument, DefaultFormatIsTheControlFont) {
    const CharFormat& format = MemoryDocument::DefaultFormat();
    EXPECT_EQ(format.fontName, "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e");
    EXPECT_EQ(format.sizePoints, 9);
    EXPECT_EQ(format.styles, StyleNone);
    EXPECT_EQ(format.color, ColorBlack);
}

TEST(MemoryDocument, FindIgnoresCaseWithinItsRange) {
    MemoryDocument doc;
    doc.AppendLine("Alpha beta");
    doc.AppendLine("ALPHA");
    const int whole = doc.TextLength();

    struct Case {
        const char* text;
        int start;
        int span;
        int expected;
    };
    const Case cases[] = {
        {"alpha", 0, whole, 0},
        {"alpha", 1, whole, 11},
        {"alpha", 1, 14, -1},  // the range ends one character before the occurrence does
        {"alpha", 11, 5, 11},
        {"BETA", -5, 100, 6},
        {"a\nal", 0, whole, 9},
        {"lph", 0, whole, 1},
        {"gamma", 0, whole, -1},
        {"", 0, whole, -1},
        {"alpha", whole, whole, -1},
        // A first character without case takes another path.
        {" BETA", 0, 10, 5},
        {" beta", 0, 9, -1},
        {"\nalpha", 0, whole, 10},
        {"\n", 11, whole, 16},
        {" x", 0, whole, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(doc.Find(c.text, c.start, c.span), c.expected)
            << '"' << c.text << "\" from " << c.start << " over " << c.span;
    }
    EXPECT_EQ(MemoryDocument().Find("a", 0, 10), -1);
}

TEST(MemoryDocument, ClearRemovesTextAndAttributes) {
    MemoryDocument doc;
    doc.AppendLine("styled");
    Style(doc, 0, 6, MarkerFormat);
    doc.SetSelection(2, 3);

    doc.Clear();
    EXPECT_EQ(doc.Text(), "");
    EXPECT_EQ(doc.LineCount(), 0);
    EXPECT_EQ(doc.SelectionStart(), 0);
    EXPECT_EQ(doc.SelectionLength(), 0);

    doc.AppendLine("again");
    EXPECT_EQ(doc.FormatAt(0), MemoryDocument::DefaultFormat());
    EXPECT_EQ(doc.Rtf(932).find("\\red255"), std::string::npos);
}

TEST(MemoryDocument, UpdatesNestWithoutGoingNegative) {
    MemoryDocument doc;
    doc.BeginUpdate();
    doc.BeginUpdate();
    doc.EndUpdate();
    EXPECT_EQ(doc.UpdateDepth(), 1);
    doc.EndUpdate();
    doc.EndUpdate();
    EXPECT_EQ(doc.UpdateDepth(), 0);
}

TEST(MemoryDocument, RefusesALineBeyondCapacityAndStaysUnchanged) {
    MemoryDocument doc(10);
    doc.AppendLine("123456789");  // nine characters and the break fill it exactly
    try {
        doc.AppendLine("");
        FAIL() << "a full document took another line";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "RichEdit での行の挿入エラー");
    }
    EXPECT_EQ(doc.Text(), "123456789\n");
    EXPECT_EQ(doc.LineCount(), 1);
}

// Past its capacity the document takes reserved lines only, and those only as far as the reserve.
TEST(MemoryDocument, ReservedLinesGoBeyondTheCapacityAsFarAsTheReserve) {
    MemoryDocument doc(10);
    doc.AppendLine("123456789");
    doc.AppendReservedLine("title");
    EXPECT_THROW(doc.AppendLine(""), std::runtime_error);
    EXPECT_EQ(doc.LineCount(), 2);
    const std::string rest(static_cast<std::size_t>(ReservedCharacters) - 7, 'x');  // with its break, fills the reserve
    doc.AppendReservedLine(rest);
    EXPECT_THROW(doc.AppendReservedLine(""), std::runtime_error);
    EXPECT_EQ(doc.TextLength(), 10 + ReservedCharacters);
}

TEST(MemoryDocument, PlainTextEndsEveryLineWithCrLfAndKeepsBytes) {
    MemoryDocument doc;
    doc.AppendLine("a");
    doc.AppendLine("");
    doc.AppendLine("\x82\xa0 {x}");
    EXPECT_EQ(doc.PlainText(), "a\r\n\r\n\x82\xa0 {x}\r\n");
    EXPECT_EQ(MemoryDocument().PlainText(), "");
}

TEST(MemoryDocument, RtfEscapesSpecialAndHighBytes) {
    MemoryDocument doc;
    doc.AppendLine("a\\b{c}d\x82\xa0");
    doc.AppendLine("\x83\x5c{\xb1");  // a double-byte character whose second byte is a backslash
    const std::string rtf = doc.Rtf(932);

    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg932\\deff0", 0), 0u);
    // Each character as Unicode, then its bytes for readers without: \uc says how many.
    EXPECT_NE(rtf.find("a\\\\b\\{c\\}d\\uc2\\u12354\\'82\\'a0\\par"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\u12477\\'83\\'5c\\{\\uc1\\u-143\\'b1\\par"), std::string::npos) << rtf;
    // The report font: fixed pitch, with a name readers without it may know it by.
    EXPECT_NE(rtf.find("{\\f0\\fmodern\\fprq1\\fcharset128 \\'82\\'6c\\'82\\'72 \\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e"
                       "{\\*\\falt MS Gothic};}"),
              std::string::npos);
    for (const char c : rtf) {
        EXPECT_LE(static_cast<unsigned char>(c), 0x7F);
    }
    EXPECT_TRUE(BracesBalanced(rtf));
}

// The report font is a Shift-JIS one, whose character set readers apply to hex escapes: text
// goes as Unicode, with its bytes for readers that know no Unicode.
TEST(MemoryDocument, RtfWritesWesternTextAsUnicode) {
    MemoryDocument doc;
    doc.AppendLine("Caf\xe9 \xfc" "ber \x80\x9f\xa0{\x7f");
    const std::string rtf = doc.Rtf(1252);

    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0", 0), 0u);
    EXPECT_NE(rtf.find("Caf\\u233\\'e9 \\u252\\'fcber \\u8364\\'80\\u376\\'9f\\u160\\'a0\\{\\'7f\\par"),
              std::string::npos)
        << rtf;
    // The font name stays Shift-JIS.
    EXPECT_NE(rtf.find("\\fcharset128 \\'82\\'6c\\'82\\'72 \\'83\\'53"), std::string::npos);

    // Other code pages are declared, and their characters written the same way.
    EXPECT_NE(doc.Rtf(1251).find("\\ansicpg1251\\deff0"), std::string::npos);
    EXPECT_NE(doc.Rtf(1251).find("Caf\\u1081\\'e9 \\u1100\\'fcber \\u1026\\'80\\u1119\\'9f\\u160\\'a0\\{\\'7f\\par"),
              std::string::npos);
}

TEST(MemoryDocument, RtfWritesRunsWithTheirAttributes) {
    MemoryDocument doc;
    doc.AppendLine("- Title -");
    Style(doc, 0, 9, {"Times New Roman", 18, StyleBold | StyleUnderline, ColorBlack});
    doc.AppendLine("Value : *** NOT SUPPORTED ***");
    Style(doc, 18, 21, MarkerFormat);
    const std::string rtf = doc.Rtf(932);

    EXPECT_NE(rtf.find("{\\f1\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f2\\fswiss\\fprq2\\fcharset0 Arial;}"),
              std::string::npos);
    EXPECT_NE(rtf.find("{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}"), std::string::npos);
    EXPECT_NE(rtf.find("\\f1\\fs36\\b\\i0\\ul\\cf1 - Title -\\f0\\fs18\\b0\\ulnone \\par"),
              std::string::npos);
    EXPECT_NE(rtf.find("Value : \\f2\\b\\cf2 *** NOT SUPPORTED ***\\f0\\b0\\cf1 \\par"),
              std::string::npos);
    EXPECT_TRUE(BracesBalanced(rtf));
}

TEST(MemoryDocument, BuildsALargeReport) {
    constexpr int lines = 100000;
    MemoryDocument doc;
    for (int i = 0; i < lines; ++i) {
        doc.AppendLine(i % 100 == 0 ? "Label                    : *** NOT SUPPORTED ***"
                                    : "Label                    : 0x00000009");
    }
    EXPECT_EQ(doc.LineCount(), lines);

    int marked = 0;
    for (int at = doc.Find("*** not supported ***", 0, doc.TextLength()); at >= 0;
         at = doc.Find("*** not supported ***", at + 21, doc.TextLength())) {
        Style(doc, at, 21, MarkerFormat);
        ++marked;
    }
    EXPECT_EQ(marked, lines / 100);
    EXPECT_EQ(doc.FormatAt(27), MarkerFormat);
    EXPECT_EQ(doc.FormatAt(48), MemoryDocument::DefaultFormat());
    EXPECT_EQ(doc.PlainText().size(), static_cast<std::size_t>(doc.TextLength() + lines));
    EXPECT_TRUE(BracesBalanced(doc.Rtf(932)));
}

}  // namespace
}  // namespace ostrel
