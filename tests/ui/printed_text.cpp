#include "tests/ui/printed_text.h"

#include <windows.h>

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

}  // namespace

PrintedGlyphs ReadPrintedGlyphs(const std::string& postscript) {
    PrintedGlyphs printed;
    std::map<std::string, unsigned> indexOf;  // glyph name -> glyph index of the downloaded font
    std::istringstream lines(postscript);
    std::string line, previous, name, rest;
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
            if (StartsWith(rest, "findfont")) {
                bool known = false;
                for (const auto& f : printed.fonts) known = known || f == name;
                if (!known) printed.fonts.push_back(name);
            } else if (rest == "glyphshow") {
                const auto found = indexOf.find(name);
                if (found == indexOf.end()) {
                    printed.unknown.push_back(name);
                } else {
                    printed.shown.push_back(found->second);
                }
            } else if (inCharStrings && rest.size() > 4 && rest.compare(rest.size() - 4, 4, " def") == 0) {
                indexOf.emplace(name, static_cast<unsigned>(std::stoul(rest)));  // Type 42: "/name index def"
            } else if (pendingType1Index >= 0 && rest.find(" RD") != std::string::npos) {
                indexOf.emplace(name, static_cast<unsigned>(pendingType1Index));  // Type 1: "/name length RD"
                pendingType1Index = -1;
            }
        }
    }
    return printed;
}

std::vector<unsigned> GlyphIndicesOf(const std::wstring& face, const std::wstring& text) {
    std::vector<unsigned> indices;
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(-40, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str());
    HGDIOBJ old = SelectObject(dc, font);
    std::vector<WORD> glyphs(text.size());
    if (!text.empty() &&
        GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) !=
            GDI_ERROR) {
        indices.assign(glyphs.begin(), glyphs.end());
    }
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return indices;
}

}  // namespace ostrel::uitest
