#include "tests/ui/printed_text.h"

#include <windows.h>

#include <cwctype>
#include <map>
#include <memory>
#include <sstream>

namespace ostrel::uitest {

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// "/name rest" -> name and rest; false when the line is no such definition.
bool SplitName(const std::string& line, std::string& name, std::string& rest) {
    const auto start = line.find_first_not_of(' ');
    if (start == std::string::npos || line[start] != '/') return false;
    const auto end = line.find(' ', start);
    if (end == std::string::npos) return false;
    name = line.substr(start + 1, end - start - 1);
    rest = line.substr(end + 1);
    return true;
}

// A name without its blanks and hyphens, for comparing a PostScript name with a family's.
std::wstring Squeezed(const std::wstring& name) {
    std::wstring squeezed;
    for (wchar_t c : name)
        if (c != L' ' && c != L'-') squeezed += static_cast<wchar_t>(std::towlower(c));
    return squeezed;
}

struct FamilySearch {
    std::wstring wanted;  // squeezed
    std::wstring family;
};

int CALLBACK MatchFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
    auto& search = *reinterpret_cast<FamilySearch*>(data);
    const std::wstring family = Squeezed(font->lfFaceName);
    if (family != search.wanted && family + L"regular" != search.wanted) return 1;
    search.family = font->lfFaceName;
    return 0;
}

// The family whose PostScript name the printer driver wrote: "IPAGothic" for IPA Gothic, and
// "VL-Gothic-Regular" for VL Gothic; the name itself when no family matches.
std::wstring FamilyOf(const std::wstring& postScriptName) {
    FamilySearch search{Squeezed(postScriptName), postScriptName};
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    HDC dc = CreateCompatibleDC(nullptr);
    EnumFontFamiliesExW(dc, &all, MatchFamily, reinterpret_cast<LPARAM>(&search), 0);
    DeleteDC(dc);
    return search.family;
}

// A font of the system under the printed font's name, with its glyph index of a blank; nothing
// when the system does not know the name (the driver then drew in a substitute).
class SystemFont {
public:
    explicit SystemFont(const std::wstring& postScriptName)
        : face_(FamilyOf(postScriptName)),
          dc_(CreateCompatibleDC(nullptr)),
          font_(CreateFontW(-40, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face_.c_str())),
          old_(SelectObject(dc_, font_)) {
        wchar_t chosen[LF_FACESIZE] = {};
        GetTextFaceW(dc_, LF_FACESIZE, chosen);
        known_ = _wcsicmp(chosen, face_.c_str()) == 0;
    }
    ~SystemFont() {
        SelectObject(dc_, old_);
        DeleteObject(font_);
        DeleteDC(dc_);
    }
    SystemFont(const SystemFont&) = delete;
    SystemFont& operator=(const SystemFont&) = delete;

    bool Known() const { return known_; }
    long IndexOf(wchar_t c) const {
        WORD glyph = 0xFFFF;
        GetGlyphIndicesW(dc_, &c, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
        return glyph;
    }

private:
    std::wstring face_;
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
    bool known_ = false;
};

std::wstring Widen(const std::string& text) {
    return std::wstring(text.begin(), text.end());  // PostScript names are ASCII
}

}  // namespace

PrintedGlyphs ReadPrintedGlyphs(const std::string& postscript) {
    PrintedGlyphs printed;
    std::map<std::string, std::map<std::string, long>> indexOf;  // font -> glyph name -> glyph index
    std::istringstream lines(postscript);
    std::string line, previous, name, rest;
    std::string currentFont, downloadFont;
    long pendingType1Index = -1;  // from "%%glyph XXXX" before a Type 1 outline
    bool inCharStrings = false;
    for (; std::getline(lines, line); previous = line) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (StartsWith(line, "%%Title: ") && printed.title.empty()) {
            printed.title = line.substr(9);
        } else if (StartsWith(line, "%%Page: ")) {
            ++printed.pages;
        } else if (StartsWith(line, "%%glyph ")) {
            pendingType1Index = std::stol(line.substr(8), nullptr, 16);
        } else if (line == "begin" && StartsWith(previous, "/CharStrings get")) {
            inCharStrings = true;
        } else if (line == "end") {
            inCharStrings = false;
        } else if (SplitName(line, name, rest)) {
            if (rest == "findfont") {
                currentFont = name;  // followed by makefont setfont
            } else if (StartsWith(rest, "findfont ")) {
                downloadFont = name;  // a glyph download into the font follows
            } else if (rest == "glyphshow") {
                const auto& names = indexOf[currentFont];
                const auto found = names.find(name);
                printed.shown.push_back({currentFont, name, found == names.end() ? -1 : found->second});
            } else if (inCharStrings && rest.size() > 4 && rest.compare(rest.size() - 4, 4, " def") == 0) {
                indexOf[downloadFont].emplace(name, std::stol(rest));  // Type 42: "/name index def"
            } else if (pendingType1Index >= 0 && rest.find(" RD") != std::string::npos) {
                indexOf[downloadFont].emplace(name, pendingType1Index);  // Type 1: "/name length RD"
                pendingType1Index = -1;
            }
        }
    }
    return printed;
}

std::string CompareWithText(const PrintedGlyphs& printed, const std::wstring& text) {
    std::wstring characters;
    for (wchar_t c : text) {
        if (!std::iswspace(c)) characters += c;
    }
    std::map<std::string, std::unique_ptr<SystemFont>> fonts;
    std::size_t at = 0, substituted = 0;
    for (const auto& glyph : printed.shown) {
        auto& font = fonts[glyph.font];
        if (!font) font = std::make_unique<SystemFont>(Widen(glyph.font));
        const bool blank = font->Known() ? glyph.index == font->IndexOf(L' ') : glyph.name == "space";
        if (blank) continue;
        if (at >= characters.size()) return "more glyphs drawn than the text has characters";
        if (!font->Known()) {
            ++substituted;
        } else if (glyph.index != font->IndexOf(characters[at])) {
            return "glyph " + std::to_string(at) + " (" + glyph.font + " " + glyph.name + ") is not the text's \"" +
                   std::string(1, static_cast<char>(characters[at])) + "\"";
        }
        ++at;
    }
    if (at != characters.size()) {
        return std::to_string(at) + " glyphs drawn for " + std::to_string(characters.size()) + " characters";
    }
    if (at > 0 && substituted == at) return "no glyph could be compared: every font was a substitute";
    return {};
}

}  // namespace ostrel::uitest
