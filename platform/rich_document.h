// The rich-text document a report is written into, with the report control's model of text,
// selection and character formats. MemoryDocument implements it; a report window shows the RTF
// that it writes.
#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

enum CharStyle : std::uint32_t {
    StyleNone = 0,
    StyleBold = 1u << 0,
    StyleItalic = 1u << 1,
    StyleUnderline = 1u << 2,
};

// Colours are the platform's COLORREF values: red in the low byte.
constexpr std::uint32_t ColorBlack = 0x00000000;
constexpr std::uint32_t ColorRed = 0x000000FF;

struct CharFormat {
    std::string fontName;
    int sizePoints = 0;
    std::uint32_t styles = StyleNone;
    std::uint32_t color = ColorBlack;

    bool operator==(const CharFormat&) const = default;
};

// Characters a document keeps beyond its capacity for the lines that let a report end whole when
// the document is full: its section titles and exception markers. A report writes at most 18
// titles (under 60 characters each with their blank lines) and one marker for each of its guards
// (under 60, of 27 characters): under 3,000 characters, a fraction of the reserve.
constexpr int ReservedCharacters = 16 * 1024;

// Positions count characters; a line break counts as one character, in the text and in selections.
class RichDocument {
public:
    virtual ~RichDocument() = default;

    // Appends text and a line break; the caret ends at the end of the text with an empty selection.
    // Throws std::runtime_error when the document cannot take more text.
    virtual void AppendLine(const std::string& text) = 0;
    // Appends like AppendLine, but may also take up to ReservedCharacters beyond the capacity.
    virtual void AppendReservedLine(const std::string& text) = 0;
    virtual int LineCount() const = 0;
    virtual std::string Text() const = 0;
    virtual int TextLength() const = 0;

    virtual void SetSelection(int start, int length) = 0;
    virtual int SelectionStart() const = 0;
    virtual int SelectionLength() const = 0;

    virtual void SetSelectionFontName(const std::string& name) = 0;
    virtual void SetSelectionSize(int points) = 0;
    virtual void SetSelectionStyles(std::uint32_t styles) = 0;
    virtual void SetSelectionColor(std::uint32_t color) = 0;
    // Makes text typed at the selection plain again: the document's default attributes.
    virtual void ResetSelectionAttributes() = 0;

    // Position of the first occurrence of text in [start, start + span), ignoring letter case; -1 if none.
    virtual int Find(const std::string& text, int start, int span) const = 0;

    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual void Clear() = 0;
};

}  // namespace ostrel
