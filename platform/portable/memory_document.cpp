#include "platform/portable/memory_document.h"

#include "platform/portable/code_page.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace ostrel {

namespace {

char FoldAsciiCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

void AppendHexByte(std::string& out, unsigned char byte) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\'%02x", byte);
    out += hex;
}

bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

void AppendWord(std::string& out, const char* word, long long value) {
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

    void Append(const std::string& text, std::size_t first, std::size_t last) {
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
    void AppendAscii(char c) {
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

    void AppendUnicode(char32_t code, std::size_t fallbackBytes) {
        if (code >= 0x10000) {
            // A pair of surrogates: the fallback follows the second.
            SetSkip(0);
            AppendUnit(0xD800 + ((code - 0x10000) >> 10));
            code = 0xDC00 + ((code - 0x10000) & 0x3FF);
        }
        SetSkip(fallbackBytes);
        AppendUnit(code);
    }

    void SetSkip(std::size_t bytes) {
        if (bytes != skip_) {
            AppendWord(out_, "\\uc", static_cast<long long>(bytes));
            skip_ = bytes;
        }
    }

    void AppendUnit(char32_t unit) {
        AppendWord(out_, "\\u", unit > 0x7FFF ? static_cast<long long>(unit) - 0x10000 : unit);
    }

    std::string& out_;
    const CodePage codePage_;
    std::size_t skip_ = 1;  // the readers' default
};

// A font table entry ends at ';', so the name must not contain one either. Names with
// double-byte characters are Shift-JIS names, whatever the text's code page (see FontCharset),
// and readers take a font name's hex escapes in its character set.
void AppendRtfFontName(std::string& out, const std::string& name) {
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
int FontCharset(const std::string& name) {
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

void AppendRtfFont(std::string& out, std::size_t index, const std::string& name) {
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
int IndexOf(std::vector<T>& table, const T& value) {
    const auto found = std::find(table.begin(), table.end(), value);
    if (found != table.end()) {
        return static_cast<int>(found - table.begin());
    }
    table.push_back(value);
    return static_cast<int>(table.size()) - 1;
}

void AppendFlagWord(std::string& out, bool on, const char* onWord, const char* offWord) {
    out += on ? onWord : offWord;
}

// The control turns CR LF, CR and LF alike into one line break.
std::string NormalizedLine(const std::string& text) {
    std::string line;
    line.reserve(text.size() + 1);
    std::size_t from = 0;
    for (std::size_t cr = text.find('\r'); cr != std::string::npos; cr = text.find('\r', from)) {
        line.append(text, from, cr - from);
        line += '\n';
        from = cr + 1;
        if (from < text.size() && text[from] == '\n') {
            ++from;
        }
    }
    line.append(text, from, std::string::npos);
    line += '\n';
    return line;
}

}  // namespace

MemoryDocument::MemoryDocument(int capacity) : capacity_(std::max(capacity, 0)) {}

const CharFormat& MemoryDocument::DefaultFormat() {
    // "ＭＳ ゴシック" in Shift-JIS; 12 pixels high is 9 points at the screen's 96 pixels an inch.
    static const CharFormat format{"\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e", 9,
                                   StyleNone, ColorBlack};
    return format;
}

void MemoryDocument::AppendLine(const std::string& text) {
    Append(text, static_cast<std::size_t>(capacity_));
}

void MemoryDocument::AppendReservedLine(const std::string& text) {
    Append(text, static_cast<std::size_t>(capacity_) + ReservedCharacters);
}

void MemoryDocument::Append(const std::string& text, std::size_t limit) {
    // Nearly every line has no CR: it goes in as it is, without a normalized copy.
    const bool plain = text.find('\r') == std::string::npos;
    const std::string normalized = plain ? std::string() : NormalizedLine(text);
    const std::size_t lineSize = plain ? text.size() + 1 : normalized.size();
    // Positions are ints: no limit reaches beyond them.
    limit = std::min<std::size_t>(limit, INT_MAX);
    if (text_.size() > limit || lineSize > limit - text_.size()) {
        throw std::runtime_error("RichEdit での行の挿入エラー");
    }

    // The writer puts the caret back at the end with the default attributes after every styled
    // line and marking pass, so whatever it appends is plain: no separate typing attributes needed.
    const int start = static_cast<int>(text_.size());
    runs_.Append(start, DefaultFormat());
    const std::size_t from = text_.size();
    if (plain) {
        text_ += text;
        text_ += '\n';
    } else {
        text_ += normalized;
    }
    lineCount_ += static_cast<int>(std::count(text_.begin() + static_cast<std::ptrdiff_t>(from), text_.end(), '\n'));
    selectionStart_ = static_cast<int>(text_.size());
    selectionLength_ = 0;
}

int MemoryDocument::LineCount() const {
    return lineCount_;
}

std::string MemoryDocument::Text() const {
    return text_;
}

int MemoryDocument::TextLength() const {
    return static_cast<int>(text_.size());
}

void MemoryDocument::SetSelection(int start, int length) {
    const int textLength = TextLength();
    selectionStart_ = std::clamp(start, 0, textLength);
    selectionLength_ = std::clamp(length, 0, textLength - selectionStart_);
}

int MemoryDocument::SelectionStart() const {
    return selectionStart_;
}

int MemoryDocument::SelectionLength() const {
    return selectionLength_;
}

void MemoryDocument::SetSelectionFontName(const std::string& name) {
    ChangeSelectedFormat([&](CharFormat& format) { format.fontName = name; });
}

void MemoryDocument::SetSelectionSize(int points) {
    ChangeSelectedFormat([&](CharFormat& format) { format.sizePoints = points; });
}

void MemoryDocument::SetSelectionStyles(std::uint32_t styles) {
    ChangeSelectedFormat([&](CharFormat& format) { format.styles = styles; });
}

void MemoryDocument::SetSelectionColor(std::uint32_t color) {
    ChangeSelectedFormat([&](CharFormat& format) { format.color = color; });
}

// Like the control: with a selection the selected characters become plain; with none, only
// later text would, and that is plain here anyway.
void MemoryDocument::ResetSelectionAttributes() {
    ChangeSelectedFormat([](CharFormat& format) { format = DefaultFormat(); });
}

int MemoryDocument::Find(const std::string& text, int start, int span) const {
    if (text.empty()) {
        return -1;
    }
    const long long length = TextLength();
    const long long first = std::clamp<long long>(start, 0, length);
    const long long last =
        std::clamp<long long>(static_cast<long long>(start) + std::max(span, 0), first, length);
    const auto sameIgnoringCase = [](char a, char b) { return FoldAsciiCase(a) == FoldAsciiCase(b); };
    const char head = text.front();
    if (head != FoldAsciiCase(head) || (head >= 'a' && head <= 'z')) {
        const auto rangeEnd = text_.begin() + last;
        const auto found = std::search(text_.begin() + first, rangeEnd, text.begin(), text.end(), sameIgnoringCase);
        return found == rangeEnd ? -1 : static_cast<int>(found - text_.begin());
    }
    // A first character without case (the markers' '*'): memchr finds the candidates.
    const auto size = static_cast<long long>(text.size());
    for (long long at = first; at + size <= last; ++at) {
        const void* hit = std::memchr(text_.data() + at, head, static_cast<std::size_t>(last - size + 1 - at));
        if (hit == nullptr)
            return -1;
        at = static_cast<const char*>(hit) - text_.data();
        if (std::equal(text.begin() + 1, text.end(), text_.begin() + at + 1, sameIgnoringCase))
            return static_cast<int>(at);
    }
    return -1;
}

void MemoryDocument::BeginUpdate() {
    ++updateDepth_;
}

void MemoryDocument::EndUpdate() {
    if (updateDepth_ > 0) {
        --updateDepth_;
    }
}

void MemoryDocument::Clear() {
    text_.clear();
    runs_.Clear();
    lineCount_ = 0;
    selectionStart_ = 0;
    selectionLength_ = 0;
}

int MemoryDocument::UpdateDepth() const {
    return updateDepth_;
}

CharFormat MemoryDocument::FormatAt(int position) const {
    if (position < 0 || position >= TextLength()) {
        return DefaultFormat();
    }
    return runs_.At(position);
}

std::string MemoryDocument::PlainText() const {
    std::string out;
    out.reserve(text_.size() + static_cast<std::size_t>(lineCount_));
    std::size_t from = 0;
    for (std::size_t lf = text_.find('\n'); lf != std::string::npos; lf = text_.find('\n', from)) {
        out.append(text_, from, lf - from);
        out += "\r\n";
        from = lf + 1;
    }
    out.append(text_, from, std::string::npos);
    return out;
}

std::string MemoryDocument::Rtf(unsigned codePage) const {
    // The default font and colour come first, so \deff0 and an unstyled document name them.
    std::vector<std::string> fonts{DefaultFormat().fontName};
    std::vector<std::uint32_t> colors{DefaultFormat().color};
    for (const auto& [start, format] : runs_) {
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

    RtfTextWriter text(out, codePage);
    const CharFormat* previous = nullptr;
    for (auto run = runs_.begin(); run != runs_.end(); ++run) {
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
        const std::size_t end =
            next == runs_.end() ? text_.size() : static_cast<std::size_t>(next->first);
        text.Append(text_, static_cast<std::size_t>(run->first), end);
        previous = &format;
    }
    out += '}';
    return out;
}

template <typename Change>
void MemoryDocument::ChangeSelectedFormat(Change change) {
    if (selectionLength_ == 0) {
        return;
    }
    runs_.Restyle(selectionStart_, selectionStart_ + selectionLength_, TextLength(), change);
}

}  // namespace ostrel
