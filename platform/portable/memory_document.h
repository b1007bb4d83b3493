// The report document held in memory, for the console tool and the document windows alike: it
// keeps the text and its character attributes and writes itself out as plain text or, through the
// RTF writer, as RTF.
#pragma once

#include "platform/portable/format_runs.h"
#include "platform/rich_document.h"

#include <climits>
#include <string>

namespace ostrel {

// A character is one byte of the text; a line break is the single character '\n'.
class MemoryDocument final : public RichDocument {
public:
    static constexpr int NoCapacityLimit = INT_MAX;

    // capacity: the most characters the document takes in ordinary lines, line breaks included;
    // reserved lines may go ReservedCharacters beyond it.
    explicit MemoryDocument(int capacity = NoCapacityLimit);

    // The report control's own font: what every character has unless the writer styled it.
    static const CharFormat& DefaultFormat();

    // CR LF, CR and LF inside text each become one line break, as the report control does.
    void AppendLine(const std::string& text) override;
    void AppendReservedLine(const std::string& text) override;
    int LineCount() const override;
    std::string Text() const override;
    int TextLength() const override;

    void SetSelection(int start, int length) override;
    int SelectionStart() const override;
    int SelectionLength() const override;

    void SetSelectionFontName(const std::string& name) override;
    void SetSelectionSize(int points) override;
    void SetSelectionStyles(std::uint32_t styles) override;
    void SetSelectionColor(std::uint32_t color) override;
    void ResetSelectionAttributes() override;

    int Find(const std::string& text, int start, int span) const override;

    void BeginUpdate() override;
    void EndUpdate() override;
    void Clear() override;

    int UpdateDepth() const;
    // Outside the text: the default attributes, which text appended there gets.
    CharFormat FormatAt(int position) const;
    // Every line ended by CR LF, bytes unchanged.
    std::string PlainText() const;
    // The text is in codePage (the system's ANSI code page where it came from), which the RTF
    // declares; the font names are Shift-JIS.
    std::string Rtf(unsigned codePage) const;

private:
    void Append(const std::string& text, std::size_t limit);
    template <typename Change>
    void ChangeSelectedFormat(Change change);

    int capacity_;
    std::string text_;
    int lineCount_ = 0;
    // Holds the run at 0 whenever the text is not empty, and no two neighbours are equal.
    FormatRuns runs_;
    int selectionStart_ = 0;
    int selectionLength_ = 0;
    int updateDepth_ = 0;
};

}  // namespace ostrel
