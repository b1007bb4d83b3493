// ComboBoxPrinter: the frame's drop-down list of printers. Each entry keeps its text in the control
// (so that screen readers and test tools can read it) and, as its item data, its report window.
#pragma once

#include "desktop/printer_entries.h"
#include "desktop/windows/document_window.h"

#include <windows.h>

#include <string>

namespace ostrel {

class PrinterComboBox final : public PrinterEntries {
public:
    PrinterComboBox(HWND parent, int controlId, HFONT font);
    HWND Handle() const { return hwnd_; }

    int Count() const override;
    std::string Text(int index) const override;
    void Insert(int index, const std::string& text) override;
    void CloseWindow(int index) override;
    void Remove(int index) override;

    DocumentWindow* WindowOf(int index) const;
    void SetWindow(int index, DocumentWindow* window);
    // The entry whose window this is, or -1.
    int IndexOfWindow(const DocumentWindow& window) const;

    int Selected() const;
    // Selects without running the selection handler (-1 selects nothing).
    void Select(int index);

    // Draws one entry: the printer's image (when it has one) and its text.
    void DrawItem(const DRAWITEMSTRUCT& item, HIMAGELIST images, bool hasImage) const;

private:
    HWND hwnd_;
};

}  // namespace ostrel
