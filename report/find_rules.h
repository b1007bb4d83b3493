// How a report window searches its text: the report's bytes in the system code page, one line
// break one byte, from the current selection onward or backward, never wrapping around.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel {

// What the search needs to know of the code page the text is in.
struct CodePageRules {
    // Whether a byte begins a double-byte character.
    std::function<bool(unsigned char)> isLeadByte;
    // The text with its letters in one case, by the system's rules; as many bytes as the text.
    std::function<std::string(std::string_view)> foldCase;
};

// No double-byte characters; only the ASCII letters have a case.
const CodePageRules& AsciiCodePageRules();

struct FindRequest {
    std::string_view text;
    std::string_view searchText;
    // The current selection, in bytes of text.
    std::size_t selectionStart = 0;
    std::size_t selectionLength = 0;
    bool forward = true;
    bool matchCase = false;
    bool wholeWord = false;
};

// Byte position of the occurrence nearest to the selection in the request's direction: forward
// from the selection's end, backward ending at or before its start. None for an empty search
// text, when no occurrence counts, or when the nearest occurrence begins on the second byte of a
// double-byte character.
std::optional<std::size_t> FindInText(const FindRequest& request, const CodePageRules& rules);

// Word delimiters are all characters but the ASCII letters and digits.
bool IsWordDelimiter(unsigned char byte);

// The report control counts characters, the search bytes: a double-byte character is one
// character. Positions past the text's end count one byte a character.
std::size_t CharacterPositionOf(std::string_view text, std::size_t bytePosition, const CodePageRules& rules);
std::size_t BytePositionOf(std::string_view text, std::size_t characterPosition, const CodePageRules& rules);

}  // namespace ostrel
