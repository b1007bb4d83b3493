#include "report/find_rules.h"

#include <vector>

namespace ostrel {

namespace {

// Length in bytes of the character that starts at position: a lead byte takes the byte after it,
// unless the text ends there or a line break follows (a line break is always a character of its own).
std::size_t CharacterLength(std::string_view text, std::size_t position, const CodePageRules& rules)
{
    const bool pair = rules.isLeadByte(static_cast<unsigned char>(text[position])) && position + 1 < text.size() &&
                      text[position + 1] != '\n';
    return pair ? 2 : 1;
}

// For each byte, whether it is the second byte of a double-byte character; empty when the text
// holds none.
std::vector<bool> SecondBytesOf(std::string_view text, const CodePageRules& rules)
{
    std::vector<bool> second;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharacterLength(text, at, rules);
        if (length == 2) {
            second.resize(text.size());
            second[at + 1] = true;
        }
        at += length;
    }
    return second;
}

bool IsSecondByte(const std::vector<bool>& secondBytes, std::size_t position)
{
    return position < secondBytes.size() && secondBytes[position];
}

// A double-byte character is no letter or digit: it delimits a word like any other, also when a
// search text that ends in a lead byte stops inside it.
bool IsWholeWord(std::string_view text, std::size_t position, std::size_t length, const std::vector<bool>& secondBytes)
{
    const bool startsWord = position == 0 || IsSecondByte(secondBytes, position - 1) ||
                            IsWordDelimiter(static_cast<unsigned char>(text[position - 1]));
    const std::size_t end = position + length;
    const bool endsWord = end == text.size() || IsSecondByte(secondBytes, end) ||
                          IsWordDelimiter(static_cast<unsigned char>(text[end]));
    return startsWord && endsWord;
}

std::string FoldAscii(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

}  // namespace

const CodePageRules& AsciiCodePageRules()
{
    static const CodePageRules rules{[](unsigned char) { return false; }, FoldAscii};
    return rules;
}

bool IsWordDelimiter(unsigned char byte)
{
    const bool letter = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
    const bool digit = byte >= '0' && byte <= '9';
    return !letter && !digit;
}

std::optional<std::size_t> FindInText(const FindRequest& request, const CodePageRules& rules)
{
    const std::size_t n = request.text.size();
    const std::size_t m = request.searchText.size();
    if (m == 0 || m > n)
        return std::nullopt;

    std::string foldedText;
    std::string foldedSearch;
    std::string_view haystack = request.text;
    std::string_view needle = request.searchText;
    if (!request.matchCase) {
        foldedText = rules.foldCase(haystack);
        foldedSearch = rules.foldCase(needle);
        haystack = foldedText;
        needle = foldedSearch;
    }
    const std::vector<bool> secondBytes = SecondBytesOf(request.text, rules);

    // Candidates nearest first: forward from the selection's end up to n - m, backward from
    // selection start - m down to 0.
    std::size_t candidate;
    if (request.forward) {
        // Compared part by part: the selection's end may lie beyond what a size_t holds.
        if (request.selectionStart > n - m || request.selectionLength > n - m - request.selectionStart)
            return std::nullopt;
        candidate = haystack.find(needle, request.selectionStart + request.selectionLength);
    } else {
        if (request.selectionStart < m)
            return std::nullopt;
        candidate = haystack.rfind(needle, request.selectionStart - m);
    }
    while (candidate != std::string_view::npos) {
        if (IsSecondByte(secondBytes, candidate))
            return std::nullopt;
        if (!request.wholeWord || IsWholeWord(request.text, candidate, m, secondBytes))
            return candidate;
        if (request.forward)
            candidate = haystack.find(needle, candidate + 1);
        else
            candidate = candidate == 0 ? std::string_view::npos : haystack.rfind(needle, candidate - 1);
    }
    return std::nullopt;
}

std::size_t CharacterPositionOf(std::string_view text, std::size_t bytePosition, const CodePageRules& rules)
{
    std::size_t characters = 0;
    std::size_t at = 0;
    while (at < bytePosition && at < text.size()) {
        at += CharacterLength(text, at, rules);
        ++characters;
    }
    return characters + (bytePosition > at ? bytePosition - at : 0);
}

std::size_t BytePositionOf(std::string_view text, std::size_t characterPosition, const CodePageRules& rules)
{
    std::size_t at = 0;
    std::size_t characters = 0;
    while (characters < characterPosition && at < text.size()) {
        at += CharacterLength(text, at, rules);
        ++characters;
    }
    return at + (characterPosition - characters);
}

}  // namespace ostrel
