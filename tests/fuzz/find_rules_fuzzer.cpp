// The find rules over fuzzed texts, search texts, selections and options, in the code pages whose
// rules differ (no double-byte characters and ASCII case; Western case; code page 932's lead bytes
// with the case of its full-width and Greek letters; the other double-byte code pages' lead bytes),
// checked against a slow search written here from the rules' definition: every candidate position in order, each byte compared as the character it
// belongs to. The byte / character position maps are checked the same way. Any difference aborts
// with both answers.
//
// Input: one byte of options, the selection's start and length (two bytes each), the search
// text's length (one byte: the find dialog takes at most 255), the search text, then the text.
#include "report/find_rules.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {
namespace {

bool NoLeadBytes(unsigned char) { return false; }

bool ShiftJisLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// The lead bytes of the other double-byte code pages (936, 949, 950).
bool WideLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

unsigned char LowerAscii(unsigned char byte)
{
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

// Code page 1252: the ASCII letters, the accented capitals from 0xC0 (0xD7 is the multiplication
// sign) and the four capitals among 0x80 to 0x9F.
unsigned char LowerWestern(unsigned char byte)
{
    if ((byte >= 0xC0 && byte <= 0xDE && byte != 0xD7) || byte == 0x8A || byte == 0x8C || byte == 0x8E)
        return static_cast<unsigned char>(byte >= 0xC0 ? byte + 0x20 : byte + 0x10);
    if (byte == 0x9F)
        return 0xFF;
    return LowerAscii(byte);
}

// Second byte of a lower-case double-byte letter of code page 932: the full-width Latin capitals
// (0x82 0x60 to 0x79) and the Greek capitals (0x83 0x9F to 0xB6) have their small letters 0x21
// and 0x20 further on.
unsigned char LowerShiftJisSecond(unsigned char lead, unsigned char second)
{
    if (lead == 0x82 && second >= 0x60 && second <= 0x79)
        return static_cast<unsigned char>(second + 0x21);
    if (lead == 0x83 && second >= 0x9F && second <= 0xB6)
        return static_cast<unsigned char>(second + 0x20);
    return second;
}

unsigned char KeepSecond(unsigned char, unsigned char second) { return second; }

struct CodePage {
    const char* name;
    bool (*isLeadByte)(unsigned char);
    unsigned char (*lowerSingle)(unsigned char);
    unsigned char (*lowerSecond)(unsigned char lead, unsigned char second);
};

// The case fold the system applies to a whole text: its conversion pairs a lead byte with any byte
// after it, a line break included.
std::string FoldWhole(std::string_view text, const CodePage& page)
{
    std::string folded(text);
    for (std::size_t at = 0; at < folded.size(); ++at) {
        const auto byte = static_cast<unsigned char>(folded[at]);
        if (page.isLeadByte(byte) && at + 1 < folded.size()) {
            folded[at + 1] = static_cast<char>(page.lowerSecond(byte, static_cast<unsigned char>(folded[at + 1])));
            ++at;
        } else {
            folded[at] = static_cast<char>(page.lowerSingle(byte));
        }
    }
    return folded;
}

const CodePage WesternPage{"1252", NoLeadBytes, LowerWestern, KeepSecond};
const CodePage ShiftJisPage{"932", ShiftJisLeadByte, LowerAscii, LowerShiftJisSecond};
const CodePage WidePage{"936", WideLeadByte, LowerAscii, KeepSecond};
const CodePage AsciiPage{"ASCII", NoLeadBytes, LowerAscii, KeepSecond};

const CodePageRules WesternRules{NoLeadBytes, [](std::string_view text) { return FoldWhole(text, WesternPage); }};
const CodePageRules ShiftJisRules{ShiftJisLeadByte, [](std::string_view text) { return FoldWhole(text, ShiftJisPage); }};
const CodePageRules WideRules{WideLeadByte, [](std::string_view text) { return FoldWhole(text, WidePage); }};

struct Tested {
    const CodePage& page;
    const CodePageRules& rules;
};

const Tested CodePages[] = {
    {AsciiPage, AsciiCodePageRules()},
    {WesternPage, WesternRules},
    {ShiftJisPage, ShiftJisRules},
    {WidePage, WideRules},
};

// What each byte of a text is: a character of its own, or the first or second byte of a
// double-byte character. A lead byte stands alone at the end of the text and before a line break.
enum class Role { Single, Lead, Second };

std::vector<Role> RolesOf(std::string_view text, const CodePage& page)
{
    std::vector<Role> roles(text.size(), Role::Single);
    for (std::size_t at = 0; at + 1 < text.size(); ++at) {
        if (page.isLeadByte(static_cast<unsigned char>(text[at])) && text[at + 1] != '\n') {
            roles[at] = Role::Lead;
            roles[++at] = Role::Second;
        }
    }
    return roles;
}

// The byte at position once its character is in lower case.
unsigned char LowerAt(std::string_view text, const std::vector<Role>& roles, std::size_t position, const CodePage& page)
{
    const auto byte = static_cast<unsigned char>(text[position]);
    switch (roles[position]) {
    case Role::Single:
        return page.lowerSingle(byte);
    case Role::Lead:
        return byte;
    case Role::Second:
        return page.lowerSecond(static_cast<unsigned char>(text[position - 1]), byte);
    }
    return byte;
}

bool IsLetterOrDigit(unsigned char byte)
{
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9');
}

struct Search {
    std::string_view text;
    std::string_view searchText;
    std::vector<Role> textRoles;
    std::vector<Role> searchRoles;
    const CodePage& page;
    bool matchCase;
};

bool OccursAt(const Search& s, std::size_t position)
{
    for (std::size_t k = 0; k < s.searchText.size(); ++k) {
        const bool same = s.matchCase ? s.text[position + k] == s.searchText[k]
                                      : LowerAt(s.text, s.textRoles, position + k, s.page) ==
                                            LowerAt(s.searchText, s.searchRoles, k, s.page);
        if (!same)
            return false;
    }
    return true;
}

// The characters on either side of the occurrence are delimiters: a double-byte character is one,
// also when the occurrence ends inside it.
bool IsWholeWordAt(const Search& s, std::size_t position)
{
    const std::size_t end = position + s.searchText.size();
    const bool before = position == 0 || s.textRoles[position - 1] != Role::Single ||
                        !IsLetterOrDigit(static_cast<unsigned char>(s.text[position - 1]));
    const bool after = end == s.text.size() || s.textRoles[end] != Role::Single ||
                       !IsLetterOrDigit(static_cast<unsigned char>(s.text[end]));
    return before && after;
}

std::optional<std::size_t> SlowFind(const FindRequest& request, const CodePage& page)
{
    const Search s{request.text, request.searchText, RolesOf(request.text, page), RolesOf(request.searchText, page),
                   page, request.matchCase};
    const std::size_t n = s.text.size();
    const std::size_t m = s.searchText.size();
    if (m == 0 || m > n)
        return std::nullopt;

    std::vector<std::size_t> candidates;
    if (request.forward) {
        // The selection's end, without overflow: a selection past every candidate has none.
        if (request.selectionLength <= n && request.selectionStart <= n - request.selectionLength) {
            for (std::size_t p = request.selectionStart + request.selectionLength; p + m <= n; ++p)
                candidates.push_back(p);
        }
    } else if (request.selectionStart >= m) {
        for (std::size_t p = std::min(request.selectionStart - m, n - m) + 1; p-- > 0;)
            candidates.push_back(p);
    }
    for (const std::size_t p : candidates) {
        if (!OccursAt(s, p))
            continue;
        if (s.textRoles[p] == Role::Second)
            return std::nullopt;
        if (!request.wholeWord || IsWholeWordAt(s, p))
            return p;
    }
    return std::nullopt;
}

// The report control's character positions: one character a byte, a double-byte character one,
// positions past the end one a byte.
std::vector<std::size_t> CharacterStarts(std::string_view text, const CodePage& page)
{
    const std::vector<Role> roles = RolesOf(text, page);
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (roles[at] != Role::Second)
            starts.push_back(at);
    }
    return starts;
}

std::size_t SlowCharacterPosition(const std::vector<std::size_t>& starts, std::size_t n, std::size_t bytePosition)
{
    const auto before = std::lower_bound(starts.begin(), starts.end(), std::min(bytePosition, n)) - starts.begin();
    return static_cast<std::size_t>(before) + (bytePosition > n ? bytePosition - n : 0);
}

std::size_t SlowBytePosition(const std::vector<std::size_t>& starts, std::size_t n, std::size_t characterPosition)
{
    return characterPosition < starts.size() ? starts[characterPosition] : n + (characterPosition - starts.size());
}

std::string Shown(std::optional<std::size_t> position)
{
    return position ? std::to_string(*position) : "none";
}

[[noreturn]] void Disagree(const char* what, const std::string& rules, const std::string& slow, const FindRequest& r,
                           const CodePage& page)
{
    std::fprintf(stderr,
                 "%s: the rules answer %s, the slow search %s\n"
                 "  code page %s, text %zu bytes, search text %zu bytes, selection %zu + %zu, %s%s%s\n",
                 what, rules.c_str(), slow.c_str(), page.name, r.text.size(), r.searchText.size(), r.selectionStart,
                 r.selectionLength, r.forward ? "forward" : "backward", r.matchCase ? ", match case" : "",
                 r.wholeWord ? ", whole word" : "");
    std::abort();
}

// A two-byte position: mostly within the text or just past it; from 0xFF00 on, a value so large
// that adding the selection's length overflows.
std::size_t PositionOf(std::uint16_t raw, std::size_t textSize)
{
    if (raw >= 0xFF00)
        return std::numeric_limits<std::size_t>::max() - (0xFFFF - raw);
    return raw % (textSize + 3);
}

constexpr std::size_t HeaderSize = 6;

}  // namespace
}  // namespace ostrel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ostrel;
    if (size < HeaderSize)
        return -1;
    const std::uint8_t options = data[0];
    const auto start = static_cast<std::uint16_t>(data[1] | (data[2] << 8));
    const auto length = static_cast<std::uint16_t>(data[3] | (data[4] << 8));
    const std::size_t searchSize = std::min<std::size_t>(data[5], size - HeaderSize);
    const auto* chars = reinterpret_cast<const char*>(data);
    const std::string_view searchText(chars + HeaderSize, searchSize);
    const std::string_view text(chars + HeaderSize + searchSize, size - HeaderSize - searchSize);

    const Tested& tested = CodePages[(options >> 3) % std::size(CodePages)];
    FindRequest request{text, searchText};
    request.forward = (options & 1) != 0;
    request.matchCase = (options & 2) != 0;
    request.wholeWord = (options & 4) != 0;
    request.selectionStart = PositionOf(start, text.size());
    request.selectionLength = PositionOf(length, text.size());

    const std::optional<std::size_t> hit = FindInText(request, tested.rules);
    const std::optional<std::size_t> expected = SlowFind(request, tested.page);
    if (hit != expected)
        Disagree("find", Shown(hit), Shown(expected), request, tested.page);

    // The positions the window maps between the control's characters and the text's bytes.
    const std::vector<std::size_t> starts = CharacterStarts(text, tested.page);
    for (const std::size_t bytePosition : {std::size_t{start} % (text.size() + 3), std::size_t{length} % (text.size() + 3),
                                           hit.value_or(0), hit.value_or(0) + searchText.size()}) {
        const std::size_t character = CharacterPositionOf(text, bytePosition, tested.rules);
        const std::size_t slow = SlowCharacterPosition(starts, text.size(), bytePosition);
        if (character != slow)
            Disagree("character position", std::to_string(character), std::to_string(slow), request, tested.page);
        const std::size_t back = BytePositionOf(text, character, tested.rules);
        const std::size_t slowBack = SlowBytePosition(starts, text.size(), character);
        if (back != slowBack)
            Disagree("byte position", std::to_string(back), std::to_string(slowBack), request, tested.page);
    }
    return 0;
}
