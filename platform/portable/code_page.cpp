#include "platform/portable/code_page.h"

#include <algorithm>
#include <iterator>

namespace ostrel {

namespace {

constexpr DWORD WesternEuropean = 1252;
constexpr DWORD Latin1 = 28591;

// Code page 1252 from 0x80 to 0x9F. The five bytes it leaves unassigned read as the control
// characters of the same number, as the system's own conversion reads them.
constexpr char32_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The next character of utf8 from at, or nothing when the bytes there are not UTF-8.
std::optional<char32_t> NextCharacter(const std::string& utf8, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(utf8[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    if (length == 0 || at + length > utf8.size())
        return std::nullopt;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(utf8[at + k]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        code = (code << 6) | (next & 0x3F);
    }
    const char32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < shortest[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
        return std::nullopt;
    at += length;
    return code;
}

std::optional<char> ByteOf(char32_t code, DWORD codePage)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<char>(code);
    if (codePage == Latin1)
        return code <= 0xFF ? std::optional<char>(static_cast<char>(code)) : std::nullopt;
    const auto* found = std::find(std::begin(Windows1252High), std::end(Windows1252High), code);
    if (found == std::end(Windows1252High))
        return std::nullopt;
    return static_cast<char>(0x80 + (found - std::begin(Windows1252High)));
}

}  // namespace

std::optional<std::string> CodePageBytesOfUtf8(const std::string& utf8, DWORD codePage)
{
    if (codePage != WesternEuropean && codePage != Latin1)
        return std::nullopt;
    std::string bytes;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::optional<char32_t> code = NextCharacter(utf8, at);
        const std::optional<char> byte = code ? ByteOf(*code, codePage) : std::nullopt;
        if (!byte)
            return std::nullopt;
        bytes += *byte;
    }
    return bytes;
}

}  // namespace ostrel
