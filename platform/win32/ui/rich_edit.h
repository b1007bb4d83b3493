// The rich-text control (MSFTEDIT_CLASS) that shows a document: read-only, no word wrap, the
// selection kept visible, and no text limit short of what a document of several megabytes needs.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <string>
#include <string_view>
#include <utility>

namespace ostrel::ui {

class RichEdit {
public:
    // Loads the control's library once per process; throws when the system has none.
    static void LoadLibraryOnce();

    // Creates the control as a child of parent with the given control id.
    RichEdit(HWND parent, int controlId);

    HWND Handle() const { return hwnd_; }

    // Replaces the whole content with an RTF document, repainting once, and puts the caret at 0
    // with the first line in view.
    void ReplaceWithRtf(std::string_view rtf);
    void Clear();

    int TextLength() const;
    void Select(int start, int end);
    // The current selection as [start, end).
    std::pair<int, int> Selection() const;
    void ScrollCaretIntoView();
    void CopySelection();

    // Lays out the characters of range on its device, drawing them when render is set; returns the
    // first character that did not fit.
    LONG FormatRange(FORMATRANGE& range, bool render);
    // Frees what the control cached for the device of FormatRange.
    void EndFormatting();

private:
    HWND hwnd_;
};

}  // namespace ostrel::ui
