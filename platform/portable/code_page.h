// Text in a Windows ANSI code page, spelled in Unicode and back. Captures keep their names as the
// bytes of the code page of the system they were taken on; a Linux command line and a Linux file
// name are UTF-8, and wide driver texts and rich-text readers want Unicode.
#pragma once

#include "platform/win_records.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel {

// One character of a text in a code page: the bytes it takes, and its Unicode code point unless
// the code page assigns those bytes none.
struct CodePageCharacter {
    std::size_t length;
    std::optional<char32_t> code;
};

// Code pages 1252 and 28591 are spelled from tables of their own, as the system spells them (1252's
// five unassigned bytes read as the control characters of the same number); any other through the
// system's conversions. A code page the system does not know has only its ASCII characters.
class CodePage {
public:
    explicit CodePage(DWORD number);
    ~CodePage();
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    DWORD Number() const { return number_; }

    // The character that begins at bytes[at] (at < bytes.size()); a lead byte at the end of the
    // text is a character of one byte without a code point.
    CodePageCharacter CharacterAt(std::string_view bytes, std::size_t at) const;

    // The bytes that spell a character; nothing when the code page lacks it.
    std::optional<std::string> BytesOf(char32_t code) const;

private:
    struct Converters;
    DWORD number_;
    std::unique_ptr<Converters> converters_;
};

// The bytes that spell a UTF-8 text in a code page; nothing when the text is not UTF-8 or holds a
// character the code page lacks.
std::optional<std::string> CodePageBytesOfUtf8(std::string_view utf8, DWORD codePage);

// A text in a code page as UTF-8; bytes without a character become U+FFFD.
std::string Utf8OfCodePageBytes(std::string_view bytes, DWORD codePage);

// UTF-16 text in a code page; a character the code page lacks, and a lone surrogate, become '?'.
std::string CodePageBytesOfUtf16(std::u16string_view text, DWORD codePage);

}  // namespace ostrel
