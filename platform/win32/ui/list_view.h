// A list of rows with columns (the list-view control in report mode): whole rows are chosen, one at
// a time, and the chosen row stays marked while another control has the focus.
#pragma once

#include <windows.h>

#include <span>
#include <string>

namespace ostrel::ui {

class ListView {
public:
    // Creates the control, visible, as a child of parent with the given control id.
    ListView(HWND parent, int controlId);
    // Destroys the control unless its parent took it along already.
    ~ListView();
    ListView(const ListView&) = delete;
    ListView& operator=(const ListView&) = delete;

    HWND Handle() const { return hwnd_; }

    void SetFont(HFONT font);
    // Width 0: the last column, which takes what the others leave (see FitLastColumn).
    void AddColumn(const std::wstring& heading, int width);
    // Stretches the last column to the list's right edge, after the list or its columns changed size.
    void FitLastColumn();
    void SetColumnWidth(int column, int width);
    // The width a cell needs for the text in the list's font, its margins included.
    int CellWidth(const std::wstring& text) const;

    void Clear();
    // A row with a text for each column, at the end; its index.
    int AddRow(std::span<const std::wstring> cells);
    int RowCount() const;
    // The chosen row, or -1.
    int Selected() const;

private:
    HWND hwnd_;
    int columns_ = 0;
};

}  // namespace ostrel::ui
