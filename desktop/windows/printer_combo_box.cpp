#include "desktop/windows/printer_combo_box.h"

#include "desktop/user_messages.h"
#include "desktop/windows/program_look.h"
#include "platform/win32/ui/application.h"
#include "platform/win32/wide_text.h"

#include <commctrl.h>


namespace ostrel {

namespace {

constexpr int TextGap = 2;  // between the image and the text, and above the text

}  // namespace

PrinterComboBox::PrinterComboBox(HWND parent, int controlId, HFONT font)
{
    hwnd_ = CreateWindowExW(0, L"COMBOBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                                CBS_HASSTRINGS,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr)
        throw ui::MessageError(CannotCreateMessage(WindowPart::PrinterList));
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

int PrinterComboBox::Count() const
{
    return static_cast<int>(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0));
}

std::string PrinterComboBox::Text(int index) const
{
    const LRESULT length = SendMessageW(hwnd_, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(hwnd_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
    return Narrow(text);
}

void PrinterComboBox::Insert(int index, const std::string& text)
{
    const std::wstring wide = Widen(text);
    const LRESULT at = SendMessageW(hwnd_, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(wide.c_str()));
    if (at == CB_ERR || at == CB_ERRSPACE)
        throw ui::MessageError(CannotListPrinterMessage(wide));
    SendMessageW(hwnd_, CB_SETITEMDATA, at, 0);
}

void PrinterComboBox::CloseWindow(int index)
{
    if (DocumentWindow* window = WindowOf(index))
        window->Close();
    SetWindow(index, nullptr);
}

void PrinterComboBox::Remove(int index)
{
    SendMessageW(hwnd_, CB_DELETESTRING, index, 0);
}

DocumentWindow* PrinterComboBox::WindowOf(int index) const
{
    const LRESULT data = SendMessageW(hwnd_, CB_GETITEMDATA, index, 0);
    return data == CB_ERR ? nullptr : reinterpret_cast<DocumentWindow*>(data);
}

void PrinterComboBox::SetWindow(int index, DocumentWindow* window)
{
    SendMessageW(hwnd_, CB_SETITEMDATA, index, reinterpret_cast<LPARAM>(window));
}

int PrinterComboBox::IndexOfWindow(const DocumentWindow& window) const
{
    for (int i = 0; i < Count(); ++i)
        if (WindowOf(i) == &window)
            return i;
    return -1;
}

int PrinterComboBox::Selected() const
{
    const LRESULT index = SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void PrinterComboBox::Select(int index)
{
    SendMessageW(hwnd_, CB_SETCURSEL, index, 0);
}

void PrinterComboBox::DrawItem(const DRAWITEMSTRUCT& item, HIMAGELIST images, bool hasImage) const
{
    const HDC dc = item.hDC;
    const RECT& area = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    // The surface the list prepares: highlight colours for a selected entry.
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    FillRect(dc, &area, GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1))
        return;  // an empty list: only the closed field
    if (hasImage)
        ImageList_Draw(images, static_cast<int>(item.itemID), dc, area.left, area.top, ILD_NORMAL);
    const std::wstring text = [&] {
        const LRESULT length = SendMessageW(hwnd_, CB_GETLBTEXTLEN, item.itemID, 0);
        std::wstring buffer(length == CB_ERR ? 0 : static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT copied =
            buffer.empty() ? 0 : SendMessageW(hwnd_, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(buffer.data()));
        buffer.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
        return buffer;
    }();
    SetBkMode(dc, OPAQUE);
    TextOutW(dc, area.left + SmallImageSize + TextGap, area.top + TextGap, text.c_str(), static_cast<int>(text.size()));
    if (focused)
        DrawFocusRect(dc, &area);
}

}  // namespace ostrel
