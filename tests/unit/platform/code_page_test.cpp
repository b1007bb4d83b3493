#include "platform/portable/code_page.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

// Each row read both ways where the conversion is one to one.
TEST(CodePage, SpellsUnicodeInEachCodePageAndBack)
{
    const struct {
        DWORD codePage;
        const char* utf8;
        std::string bytes;
    } cases[] = {
        {1252, "\u20ac \u201cx\u201d \u2013 \u017d \u0178", "\x80 \x93x\x94 \x96 \x8e \x9f"},
        {1252, "\u0081\u008d\u008f\u0090\u009d", "\x81\x8d\x8f\x90\x9d"},  // unassigned: control characters
        {1252, "caf\u00e9 \u00ff", "caf\xe9 \xff"},
        {28591, "\u0080 \u00e9", "\x80 \xe9"},
        {932, "\u30d7\u30ea\u30f3\u30bf \uff71 \u666e\u901a\u7d19", "\x83\x76\x83\x8a\x83\x93\x83\x5e \xb1 \x95\x81\x92\xca\x8e\x86"},
        {1251, "\u041f\u0440\u0438\u043d\u0442\u0435\u0440", "\xcf\xf0\xe8\xed\xf2\xe5\xf0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodePageBytesOfUtf8(c.utf8, c.codePage), c.bytes) << c.codePage << " " << c.utf8;
        EXPECT_EQ(Utf8OfCodePageBytes(c.bytes, c.codePage), c.utf8) << c.codePage << " " << c.utf8;
    }
}

TEST(CodePage, WhatACodePageLacksIsSaidSo)
{
    EXPECT_EQ(CodePageBytesOfUtf8("\u20ac", 28591), std::nullopt);
    EXPECT_EQ(CodePageBytesOfUtf8("\u3042", 1252), std::nullopt);
    EXPECT_EQ(CodePageBytesOfUtf8("\u00fc", 932), std::nullopt);
    EXPECT_EQ(CodePageBytesOfUtf8("\xc3", 1252), std::nullopt);  // not UTF-8

    // A lead byte at the end, and bytes without a character.
    EXPECT_EQ(Utf8OfCodePageBytes("a\x83", 932), "a\ufffd");
    EXPECT_EQ(Utf8OfCodePageBytes("\xa0\xfd", 932).find('\xa0'), std::string::npos);

    // Wide text: a missing character and a lone surrogate become '?', a pair is one character.
    EXPECT_EQ(CodePageBytesOfUtf16(u"\u20ac\u3042\xD800x", 1252), "\x80?\?x");
    EXPECT_EQ(CodePageBytesOfUtf16(u"\U0001F600", 932), "?");

    // A code page nobody knows still has ASCII.
    EXPECT_EQ(Utf8OfCodePageBytes("ab\xe9", 59999), "ab\ufffd");
    EXPECT_EQ(CodePageBytesOfUtf8("ab", 59999), "ab");
}

TEST(CodePage, CharactersKnowTheirLength)
{
    const CodePage shiftJis(932);
    const std::string text = "\x83\x5c" "a\xb1";  // a double-byte character whose second byte is a backslash
    const CodePageCharacter first = shiftJis.CharacterAt(text, 0);
    EXPECT_EQ(first.length, 2u);
    EXPECT_EQ(first.code, U'\u30bd');
    EXPECT_EQ(shiftJis.CharacterAt(text, 2).code, U'a');
    EXPECT_EQ(shiftJis.CharacterAt(text, 3).code, U'\uff71');
}

}  // namespace
}  // namespace ostrel
