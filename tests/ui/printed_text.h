// What a job of the platform's PostScript driver shows: its title and the glyphs it draws, in order.
// The driver draws text glyph by glyph (Type 42 or Type 1 downloads, then "/name glyphshow"), so the
// text comes back as glyph indices of fonts, which the fonts themselves turn back into characters.
#pragma once

#include <string>
#include <vector>

namespace ostrel::uitest {

struct PrintedGlyph {
    std::string font;   // the PostScript name of the font it was drawn in
    std::string name;   // the glyph's name in that font
    long index = -1;    // its glyph index in the font file, -1 when no download defined it
};

struct PrintedGlyphs {
    std::string title;  // the %%Title comment: the job's document name
    int pages = 0;      // %%Page comments
    std::vector<PrintedGlyph> shown;
};

PrintedGlyphs ReadPrintedGlyphs(const std::string& postscript);

// Empty when the glyphs drawn are the characters of text in order, blanks and line breaks aside;
// else what differs. Glyphs of a font the system knows by its PostScript name are compared by glyph
// index; glyphs of other fonts (a substitute the driver chose) only by their number.
std::string CompareWithText(const PrintedGlyphs& printed, const std::wstring& text);

}  // namespace ostrel::uitest
