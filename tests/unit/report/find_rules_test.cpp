#include "report/find_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace ostrel {
namespace {

// Code page 932's lead bytes; only single-byte ASCII letters have a case.
bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

const CodePageRules& ShiftJisRules()
{
    static const CodePageRules rules{IsShiftJisLeadByte, [](std::string_view text) {
                                         std::string folded(text);
                                         for (std::size_t at = 0; at < folded.size(); ++at) {
                                             if (IsShiftJisLeadByte(static_cast<unsigned char>(folded[at])))
                                                 ++at;
                                             else if (folded[at] >= 'A' && folded[at] <= 'Z')
                                                 folded[at] = static_cast<char>(folded[at] - 'A' + 'a');
                                         }
                                         return folded;
                                     }};
    return rules;
}

constexpr std::optional<std::size_t> None = std::nullopt;
constexpr bool Down = true;
constexpr bool Up = false;

struct FindCase {
    const char* what;
    std::string text;
    std::string searchText;
    std::size_t selectionStart;
    std::size_t selectionLength;
    bool forward;
    bool matchCase;
    bool wholeWord;
    std::optional<std::size_t> expected;
};

const std::string Markers = "a : *** NOT SUPPORTED ***\nb : 1\nc : *** NOT SUPPORTED ***\n";
// "x" (0x83 0x41, a katakana whose second byte is 'A'), then "A4" and " DM".
const std::string ShiftJis = "\x83\x41" "A4 \x83\x41" "DM";

const FindCase Cases[] = {
    {"empty search text finds nothing", Markers, "", 0, 0, Down, false, false, None},
    {"search text longer than the text", "abc", "abcd", 0, 0, Down, false, false, None},
    {"forward from the start", Markers, "NOT", 0, 0, Down, true, false, 8},
    {"forward starts after the selection, never at the same hit", Markers, "NOT", 8, 3, Down, true, false, 40},
    {"forward from the last hit finds nothing", Markers, "NOT", 40, 3, Down, true, false, None},
    {"no wrap-around: only before the selection", Markers, "b : 1", 40, 0, Down, false, false, None},
    {"backward finds what lies before the selection", Markers, "b : 1", 40, 0, Up, false, false, 26},
    {"backward from a hit finds the one before", Markers, "NOT", 40, 3, Up, true, false, 8},
    {"backward hit ends at the selection start", "abcabc", "abc", 3, 0, Up, false, false, 0},
    {"backward hit must not reach into the selection", "xabcabc", "abc", 3, 2, Up, false, false, None},
    {"backward from a start shorter than the text finds nothing", "abc", "abc", 2, 0, Up, false, false, None},
    {"forward occurrence ending at the text's end", "xxabc", "abc", 2, 0, Down, false, false, 2},
    {"forward start beyond n - m finds nothing", "xxabc", "abc", 3, 0, Down, false, false, None},
    {"a selection ending beyond any size finds nothing", "abcabc", "abc", 1, SIZE_MAX, Down, false, false, None},
    {"case ignored by default", Markers, "not supported", 0, 0, Down, false, false, 8},
    {"case kept with match case", Markers, "not supported", 0, 0, Down, true, false, None},
    {"whole word: whole name", "DMPAPER_A4 ", "DMPAPER_A4", 0, 0, Down, false, true, 0},
    {"whole word: underscore delimits", "x DMPAPER_A4_EXTRA", "DMPAPER_A4", 0, 0, Down, false, true, 2},
    {"whole word: a letter does not", "DMPAPER_A4SMALL", "DMPAPER_A4", 0, 0, Down, false, true, None},
    {"whole word: a digit before does not", "1DMPAPER_A4", "DMPAPER_A4", 0, 0, Down, false, true, None},
    {"whole word skips a part-word hit for a later word", "DMPAPER_A4SMALL DMPAPER_A4", "dmpaper_a4", 0, 0, Down,
     false, true, 16},
    {"whole word backward skips a part-word hit", "A4 xA4", "A4", 6, 0, Up, false, true, 0},
    {"whole word at the text's edges", "A4", "A4", 0, 0, Down, false, true, 0},
};

TEST(FindRules, SearchesByTheRules)
{
    for (const FindCase& c : Cases) {
        const FindRequest request{c.text, c.searchText, c.selectionStart, c.selectionLength, c.forward, c.matchCase,
                                  c.wholeWord};
        EXPECT_EQ(FindInText(request, AsciiCodePageRules()), c.expected) << c.what;
    }
}

const FindCase DoubleByteCases[] = {
    {"a hit on a second byte ends the search", ShiftJis, "A", 0, 0, Down, true, false, None},
    {"backward, the same", ShiftJis, "A", 7, 0, Up, true, false, None},
    {"a hit beyond the double-byte character", ShiftJis, "A4", 2, 0, Down, true, false, 2},
    {"the double-byte character as a whole", ShiftJis, "\x83\x41", 1, 0, Down, true, false, 5},
    {"a double-byte character delimits a word", ShiftJis, "DM", 0, 0, Down, false, true, 7},
    {"so does one the occurrence ends inside", "A\x83M", "A\x83", 0, 0, Down, false, true, 0},
    {"second bytes keep their case", "\x83\x61", "\x83\x41", 0, 0, Down, false, false, None},
    {"a lead byte before a line break stands alone", "\x83\nA", "\n", 0, 0, Down, true, false, 1},
};

TEST(FindRules, KeepsDoubleByteCharactersWhole)
{
    for (const FindCase& c : DoubleByteCases) {
        const FindRequest request{c.text, c.searchText, c.selectionStart, c.selectionLength, c.forward, c.matchCase,
                                  c.wholeWord};
        EXPECT_EQ(FindInText(request, ShiftJisRules()), c.expected) << c.what;
    }
}

TEST(FindRules, MapsBytesToControlCharacters)
{
    // "ab", a double-byte character, a line break, "c": the control counts 5 characters.
    const std::string text = "ab\x83\x41\nc";
    struct Position {
        std::size_t byte;
        std::size_t character;
    };
    for (const Position p : {Position{0, 0}, {2, 2}, {4, 3}, {5, 4}, {6, 5}, {8, 7}}) {
        EXPECT_EQ(CharacterPositionOf(text, p.byte, ShiftJisRules()), p.character) << p.byte;
        EXPECT_EQ(BytePositionOf(text, p.character, ShiftJisRules()), p.byte) << p.character;
    }
    EXPECT_EQ(CharacterPositionOf(text, 4, AsciiCodePageRules()), 4u);
}

TEST(FindRules, WordDelimitersAreAllButAsciiLettersAndDigits)
{
    for (unsigned char byte : {'a', 'z', 'A', 'Z', '0', '9'})
        EXPECT_FALSE(IsWordDelimiter(byte)) << byte;
    for (unsigned char byte : {'_', ' ', '@', '[', '`', '{', '/', ':', '\n', '\0', '\x83', '\xE9'})
        EXPECT_TRUE(IsWordDelimiter(byte)) << int(byte);
}

}  // namespace
}  // namespace ostrel
