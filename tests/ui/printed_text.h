// What a job of the platform's PostScript driver shows: its title and the glyphs it draws, in order.
// The driver draws text glyph by glyph (Type 42 or Type 1 downloads, then "/name glyphshow"), so the
// text comes back as glyph indices of the font, which the font itself turns back into characters.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace ostrel::uitest {

struct PrintedGlyphs {
    std::string title;                  // the %%Title comment: the job's document name
    int pages = 0;                      // %%Page comments
    std::vector<std::string> fonts;     // fonts found with findfont, first use first
    std::vector<unsigned> shown;        // glyph indices in drawing order
    std::vector<std::string> unknown;   // glyph names shown that no download defined
};

PrintedGlyphs ReadPrintedGlyphs(const std::string& postscript);

// The glyph indices that font face gives the characters of text (GetGlyphIndicesW).
std::vector<unsigned> GlyphIndicesOf(const std::wstring& face, const std::wstring& text);

}  // namespace ostrel::uitest
