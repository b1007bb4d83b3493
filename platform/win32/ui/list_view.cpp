#include "platform/win32/ui/list_view.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace ostrel::ui {

ListView::ListView(HWND parent, int controlId)
{
    hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                LVS_NOSORTHEADER,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr)
        throw std::runtime_error("cannot create a list control");
    SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

ListView::~ListView()
{
    if (IsWindow(hwnd_))
        DestroyWindow(hwnd_);
}

void ListView::SetFont(HFONT font)
{
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void ListView::AddColumn(const std::wstring& heading, int width)
{
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(heading.c_str());
    column.cx = width;
    column.iSubItem = columns_;
    if (SendMessageW(hwnd_, LVM_INSERTCOLUMNW, columns_, reinterpret_cast<LPARAM>(&column)) < 0)
        throw std::runtime_error("cannot add a column to a list control");
    ++columns_;
    if (width == 0)
        FitLastColumn();
}

// Not LVSCW_AUTOSIZE_USEHEADER: some list controls size the last column to its heading with it.
void ListView::FitLastColumn()
{
    if (columns_ == 0)
        return;
    RECT client{};
    GetClientRect(hwnd_, &client);
    int left = client.right;
    for (int column = 0; column + 1 < columns_; ++column)
        left -= static_cast<int>(SendMessageW(hwnd_, LVM_GETCOLUMNWIDTH, column, 0));
    HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd_, LVM_GETHEADER, 0, 0));
    wchar_t heading[64] = L"";
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = heading;
    item.cchTextMax = static_cast<int>(std::size(heading));
    SendMessageW(header, HDM_GETITEMW, columns_ - 1, reinterpret_cast<LPARAM>(&item));
    SetColumnWidth(columns_ - 1, std::max(left, CellWidth(heading)));
}

void ListView::SetColumnWidth(int column, int width)
{
    SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0));
}

int ListView::CellWidth(const std::wstring& text) const
{
    // A cell's text stands between margins of the list's own (6 pixels on each side by default).
    constexpr int Margins = 12;
    return static_cast<int>(SendMessageW(hwnd_, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str()))) +
           Margins;
}

void ListView::Clear()
{
    SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
}

int ListView::AddRow(std::span<const std::wstring> cells)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = RowCount();
    item.pszText = const_cast<wchar_t*>(cells.empty() ? L"" : cells[0].c_str());
    const auto row = static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0)
        throw std::runtime_error("cannot add a row to a list control");
    for (std::size_t cell = 1; cell < cells.size() && static_cast<int>(cell) < columns_; ++cell) {
        LVITEMW sub{};
        sub.iSubItem = static_cast<int>(cell);
        sub.pszText = const_cast<wchar_t*>(cells[cell].c_str());
        SendMessageW(hwnd_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&sub));
    }
    return row;
}

int ListView::RowCount() const
{
    return static_cast<int>(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0));
}

int ListView::Selected() const
{
    return static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace ostrel::ui
