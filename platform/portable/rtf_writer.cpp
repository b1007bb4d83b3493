#include "platform/portable/rtf_writer.h"

#include "platform/portable/code_page.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string_view>
#include <vector>

namespace ostrel {

namespace {

void AppendHexByte(std::string& out, unsigned char byte)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\'%02x", byte);
    out += hex;
}

bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

void AppendWord(std::string& out, const char* word, long long value)
{
    out += word;
    out += std::to_string(value);
}

// Readers that honour \ansicpg and readers that do not (they take hex escapes in the current
// font's character set, and the report font is a Shift-JIS one) must read the same text: every
// character beyond ASCII goes as Unicode (\u, a signed 16-bit number), followed by its bytes in
// the code page for readers that know no Unicode; \uc tells them how many bytes that is. Bytes
// the code page gives no character stay hex escapes. A double-byte character's trail byte may be
// '\\', '{' or a letter, so the bytes are always escaped.
class RtfTextWriter {
public:
    RtfTextWriter(std::string& out, unsigned codePage) : out_(out), codePage_(codePage) {}

    void Append(const std::string& text, std::size_t first, std::size_t last)
    {
        const std::string_view part(text.data() + first, last - first);
        for (std::size_t i = 0; i < part.size();) {
            const auto byte = static_cast<unsigned char>(part[i]);
            if (byte < 0x80) {
                AppendAscii(part[i]);
                ++i;
                continue;
            }
            const CodePageCharacter character = codePage_.CharacterAt(part, i);
            if (character.code) {
                AppendUnicode(*character.code, character.length);
            }
            for (std::size_t k = 0; k < character.length; ++k) {
                AppendHexByte(out_, static_cast<unsigned char>(part[i + k]));
            }
            i += character.length;
        }
    }

private:
    void AppendAscii(char c)
    {
        if (c == '\\' || c == '{' || c == '}') {
            out_ += '\\';
            out_ += c;
        } else if (c == '\n') {
            // Readers ignore the CR LF; it only keeps the file readable line by line.
            out_ += "\\par\r\n";
        } else if (c == '\t') {
            out_ += "\\tab ";
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            AppendHexByte(out_, static_cast<unsigned char>(c));
        } else {
            out_ += c;
        }
    }

    void AppendUnicode(char32_t code, std::size_t fallbackBytes)
    {
        if (code >= 0x10000) {
            // A pair of surrogates: the fallback follows the second.
            SetSkip(0);
            AppendUnit(0xD800 + ((code - 0x10000) >> 10));
            code = 0xDC00 + ((code - 0x10000) & 0x3FF);
        }
        SetSkip(fallbackBytes);
        AppendUnit(code);
    }

    void SetSkip(std::size_t bytes)
    {
        if (bytes != skip_) {
            AppendWord(out_, "\\uc", static_cast<long long>(bytes));
            skip_ = bytes;
        }
    }

    void AppendUnit(char32_t unit)
    {
        AppendWord(out_, "\\u", unit > 0x7FFF ? static_cast<long long>(unit) - 0x10000 : unit);
    }

    std::string& out_;
    const CodePage codePage_;
    std::size_t skip_ = 1;  // the readers' default
};

// A font table entry ends at ';', so the name must not contain one either. Names with
// double-byte characters are Shift-JIS names, whatever the text's code page (see FontCharset),
// and readers take a font name's hex escapes in its character set.
void AppendRtfFontName(std::string& out, const std::string& name)
{
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (IsShiftJisLeadByte(byte) && i + 1 < name.size()) {
            AppendHexByte(out, byte);
            AppendHexByte(out, static_cast<unsigned char>(name[++i]));
        } else if (byte < 0x20 || byte > 0x7E || byte == '\\' || byte == '{' || byte == '}' || byte == ';') {
            AppendHexByte(out, byte);
        } else {
            out += static_cast<char>(byte);
        }
    }
}

// Names in the system code page that use its double-byte characters are Shift-JIS names.
int FontCharset(const std::string& name)
{
    const bool doubleByte = std::any_of(name.begin(), name.end(),
                                        [](char c) { return static_cast<unsigned char>(c) > 0x7F; });
    return doubleByte ? 128 : 0;
}

// What a reader that lacks a font needs to pick a like one: its family, its pitch (1 fixed,
// 2 variable) and a name it may know it by. The report's columns need a fixed-pitch font.
struct FontTraits {
    const char* name;
    const char* family;
    int pitch;
    const char* alternative;
};

constexpr FontTraits KnownFonts[] = {
    {"\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e", "\\fmodern", 1, "MS Gothic"},
    {"Times New Roman", "\\froman", 2, nullptr},
    {"Arial", "\\fswiss", 2, nullptr},
};

void AppendRtfFont(std::string& out, std::size_t index, const std::string& name)
{
    const auto* known = std::find_if(std::begin(KnownFonts), std::end(KnownFonts),
                                     [&name](const FontTraits& font) { return name == font.name; });
    AppendWord(out, "{\\f", static_cast<long long>(index));
    if (known == std::end(KnownFonts)) {
        out += "\\fnil";
    } else {
        out += known->family;
        AppendWord(out, "\\fprq", known->pitch);
    }
    AppendWord(out, "\\fcharset", FontCharset(name));
    out += ' ';
    AppendRtfFontName(out, name);
    if (known != std::end(KnownFonts) && known->alternative) {
        out += "{\\*\\falt ";
        out += known->alternative;
        out += '}';
    }
    out += ";}";
}

// How readers other than the control lay the report out. They wrap lines at the page's margin:
// A4 landscape with 2 cm margins holds 161 half-width characters of the 9-point report font, and
// the widest report lines hold about 140. Readers that lack the report font choose a stand-in by
// the text's language and not by the font table's family and pitch; Japanese, the font's own,
// leads them to a Japanese face, whose half-width characters all have one width. Without
// \dntblnsbdb, readers balance single-byte against double-byte text by widening runs of spaces,
// which moves every column after them.
constexpr char ReaderLayout[] =
    "{\\stylesheet{\\lang1041\\langfe1041 Normal;}}"
    "\\paperw16838\\paperh11906\\margl1134\\margr1134\\margt1134\\margb1134\\landscape\\dntblnsbdb";

template <typename T>
int IndexOf(std::vector<T>& table, const T& value)
{
    const auto found = std::find(table.begin(), table.end(), value);
    if (found != table.end()) {
        return static_cast<int>(found - table.begin());
    }
    table.push_back(value);
    return static_cast<int>(table.size()) - 1;
}

void AppendFlagWord(std::string& out, bool on, const char* onWord, const char* offWord)
{
    out += on ? onWord : offWord;
}

}  // namespace

std::string RtfOf(const std::string& text, const FormatRuns& runs, const CharFormat& defaultFormat, unsigned codePage)
{
    // The default font and colour come first, so \deff0 and an unstyled document name them.
    std::vector<std::string> fonts{defaultFormat.fontName};
    std::vector<std::uint32_t> colors{defaultFormat.color};
    for (const auto& [start, format] : runs) {
        IndexOf(fonts, format.fontName);
        IndexOf(colors, format.color);
    }

    std::string out = "{\\rtf1\\ansi";
    AppendWord(out, "\\ansicpg", codePage);
    out += "\\deff0{\\fonttbl";
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        AppendRtfFont(out, i, fonts[i]);
    }
    out += "}{\\colortbl;";
    for (const std::uint32_t color : colors) {
        AppendWord(out, "\\red", color & 0xFF);
        AppendWord(out, "\\green", (color >> 8) & 0xFF);
        AppendWord(out, "\\blue", (color >> 16) & 0xFF);
        out += ';';
    }
    out += '}';
    out += ReaderLayout;
    out += "\r\n\\pard";

    RtfTextWriter writer(out, codePage);
    const CharFormat* previous = nullptr;
    for (auto run = runs.begin(); run != runs.end(); ++run) {
        const CharFormat& format = run->second;
        const std::size_t before = out.size();
        if (!previous || previous->fontName != format.fontName) {
            AppendWord(out, "\\f", IndexOf(fonts, format.fontName));
        }
        if (!previous || previous->sizePoints != format.sizePoints) {
            AppendWord(out, "\\fs", 2LL * format.sizePoints);
        }
        const std::uint32_t changed = previous ? previous->styles ^ format.styles : ~0u;
        if (changed & StyleBold) {
            AppendFlagWord(out, format.styles & StyleBold, "\\b", "\\b0");
        }
        if (changed & StyleItalic) {
            AppendFlagWord(out, format.styles & StyleItalic, "\\i", "\\i0");
        }
        if (changed & StyleUnderline) {
            AppendFlagWord(out, format.styles & StyleUnderline, "\\ul", "\\ulnone");
        }
        if (!previous || previous->color != format.color) {
            // Colour table entry 0 is the reader's automatic colour; ours start at 1.
            AppendWord(out, "\\cf", IndexOf(colors, format.color) + 1);
        }
        if (out.size() != before) {
            out += ' ';
        }
        const auto next = std::next(run);
        const std::size_t end = next == runs.end() ? text.size() : static_cast<std::size_t>(next->first);
        writer.Append(text, static_cast<std::size_t>(run->first), end);
        previous = &format;
    }
    out += '}';
    return out;
}

}  // namespace ostrel
