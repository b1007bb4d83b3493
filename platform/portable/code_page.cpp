#include "platform/portable/code_page.h"

#include "platform/portable/utf8.h"

#include <algorithm>
#include <cerrno>
#include <iterator>

#ifndef _WIN32
#include <iconv.h>
#endif

namespace ostrel {

namespace {

constexpr DWORD WesternEuropean = 1252;
constexpr DWORD Latin1 = 28591;
constexpr char32_t ReplacementCharacter = 0xFFFD;

// Code page 1252 from 0x80 to 0x9F. The five bytes it leaves unassigned read as the control
// characters of the same number, as the system's own conversion reads them.
constexpr char32_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool HasTable(DWORD codePage)
{
    return codePage == WesternEuropean || codePage == Latin1;
}

char32_t TableCharacter(unsigned char byte, DWORD codePage)
{
    return codePage == WesternEuropean && byte >= 0x80 && byte < 0xA0 ? Windows1252High[byte - 0x80] : byte;
}

std::optional<std::string> TableBytes(char32_t code, DWORD codePage)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF) || (codePage == Latin1 && code <= 0xFF))
        return std::string(1, static_cast<char>(code));
    if (codePage == Latin1)
        return std::nullopt;
    const auto* found = std::find(std::begin(Windows1252High), std::end(Windows1252High), code);
    if (found == std::end(Windows1252High))
        return std::nullopt;
    return std::string(1, static_cast<char>(0x80 + (found - std::begin(Windows1252High))));
}

}  // namespace

#ifdef _WIN32

struct CodePage::Converters {};

CodePage::CodePage(DWORD number) : number_(number) {}

CodePage::~CodePage() = default;

CodePageCharacter CodePage::CharacterAt(std::string_view bytes, std::size_t at) const
{
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80 || HasTable(number_))
        return {1, TableCharacter(byte, number_)};
    const bool lead = IsDBCSLeadByteEx(number_, byte) != FALSE;
    if (lead && at + 1 == bytes.size())
        return {1, std::nullopt};
    const int length = lead ? 2 : 1;
    wchar_t wide[2];
    const int units = MultiByteToWideChar(number_, MB_ERR_INVALID_CHARS, bytes.data() + at, length, wide, 2);
    if (units == 1)
        return {static_cast<std::size_t>(length), static_cast<char32_t>(wide[0])};
    if (units == 2 && wide[0] >= 0xD800 && wide[0] < 0xDC00)
        return {static_cast<std::size_t>(length),
                0x10000 + ((static_cast<char32_t>(wide[0]) - 0xD800) << 10) + (static_cast<char32_t>(wide[1]) - 0xDC00)};
    return {static_cast<std::size_t>(length), std::nullopt};
}

std::optional<std::string> CodePage::BytesOf(char32_t code) const
{
    if (code < 0x80 || HasTable(number_))
        return TableBytes(code, number_);
    wchar_t wide[2];
    int units = 1;
    if (code >= 0x10000) {
        wide[0] = static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
        wide[1] = static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        units = 2;
    } else {
        wide[0] = static_cast<wchar_t>(code);
    }
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(number_, WC_NO_BEST_FIT_CHARS, wide, units, bytes, sizeof bytes, nullptr,
                                         number_ == CP_UTF8 ? nullptr : &usedDefault);
    if (size <= 0 || usedDefault)
        return std::nullopt;
    return std::string(bytes, static_cast<std::size_t>(size));
}

#else

// One conversion each way between the code page and UTF-32, through the C library.
struct CodePage::Converters {
    iconv_t decode = reinterpret_cast<iconv_t>(-1);
    iconv_t encode = reinterpret_cast<iconv_t>(-1);

    explicit Converters(DWORD number)
    {
        const std::string name = number == 65001 ? "UTF-8" : "CP" + std::to_string(number);
        decode = iconv_open("UTF-32LE", name.c_str());
        encode = iconv_open(name.c_str(), "UTF-32LE");
    }
    ~Converters()
    {
        if (decode != reinterpret_cast<iconv_t>(-1))
            iconv_close(decode);
        if (encode != reinterpret_cast<iconv_t>(-1))
            iconv_close(encode);
    }
    Converters(const Converters&) = delete;
    Converters& operator=(const Converters&) = delete;

    // The bytes that one whole conversion of in gives; errno tells why when there are none.
    static std::optional<std::string> Convert(iconv_t converter, std::string_view in)
    {
        if (converter == reinterpret_cast<iconv_t>(-1)) {
            errno = EILSEQ;
            return std::nullopt;
        }
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        std::string input(in);
        char output[16];
        char* inAt = input.data();
        char* outAt = output;
        std::size_t inLeft = input.size();
        std::size_t outLeft = sizeof output;
        if (iconv(converter, &inAt, &inLeft, &outAt, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        return std::string(output, static_cast<std::size_t>(outAt - output));
    }
};

CodePage::CodePage(DWORD number)
    : number_(number), converters_(HasTable(number) ? nullptr : std::make_unique<Converters>(number))
{
}

CodePage::~CodePage() = default;

CodePageCharacter CodePage::CharacterAt(std::string_view bytes, std::size_t at) const
{
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80 || !converters_)
        return {1, TableCharacter(byte, number_)};
    for (std::size_t length = 1; length <= 2 && at + length <= bytes.size(); ++length) {
        const std::optional<std::string> code = Converters::Convert(converters_->decode, bytes.substr(at, length));
        if (code && code->size() == 4) {
            const auto* u = reinterpret_cast<const unsigned char*>(code->data());
            return {length, static_cast<char32_t>(u[0] | (u[1] << 8) | (u[2] << 16) | (u[3] << 24))};
        }
        if (errno != EINVAL)
            return {length, std::nullopt};
    }
    return {1, std::nullopt};
}

std::optional<std::string> CodePage::BytesOf(char32_t code) const
{
    if (code < 0x80 || !converters_)
        return TableBytes(code, number_);
    const char utf32[4] = {static_cast<char>(code & 0xFF), static_cast<char>((code >> 8) & 0xFF),
                           static_cast<char>((code >> 16) & 0xFF), static_cast<char>(code >> 24)};
    return Converters::Convert(converters_->encode, std::string_view(utf32, sizeof utf32));
}

#endif

std::optional<std::string> CodePageBytesOfUtf8(std::string_view utf8, DWORD codePage)
{
    const CodePage page(codePage);
    std::string bytes;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::optional<char32_t> code = NextUtf8Character(utf8, at);
        const std::optional<std::string> spelled = code ? page.BytesOf(*code) : std::nullopt;
        if (!spelled)
            return std::nullopt;
        bytes += *spelled;
    }
    return bytes;
}

std::string Utf8OfCodePageBytes(std::string_view bytes, DWORD codePage)
{
    const CodePage page(codePage);
    std::string utf8;
    for (std::size_t at = 0; at < bytes.size();) {
        const CodePageCharacter character = page.CharacterAt(bytes, at);
        AppendUtf8(utf8, character.code.value_or(ReplacementCharacter));
        at += character.length;
    }
    return utf8;
}

std::string CodePageBytesOfUtf16(std::u16string_view text, DWORD codePage)
{
    const CodePage page(codePage);
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        const bool lone = code >= 0xD800 && code < 0xE000;
        const std::optional<std::string> spelled = lone ? std::nullopt : page.BytesOf(code);
        bytes += spelled ? *spelled : "?";
    }
    return bytes;
}

}  // namespace ostrel
