#include "platform/win32/ui/rich_edit.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace ostrel::ui {

namespace {

// Well beyond any document a program shows; the control's default of 32767 characters would cut one short.
constexpr LPARAM TextLimit = 0x7FFFFFFE;

struct RtfSource {
    std::string_view rest;
};

DWORD CALLBACK ReadRtf(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given)
{
    auto& source = *reinterpret_cast<RtfSource*>(cookie);
    const std::size_t count = std::min<std::size_t>(source.rest.size(), static_cast<std::size_t>(wanted));
    std::copy_n(source.rest.data(), count, buffer);
    source.rest.remove_prefix(count);
    *given = static_cast<LONG>(count);
    return 0;
}

// Repainting is off for its lifetime; at its end the control repaints once.
class NoRedraw {
public:
    explicit NoRedraw(HWND hwnd) : hwnd_(hwnd) { SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0); }
    ~NoRedraw()
    {
        SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
    NoRedraw(const NoRedraw&) = delete;
    NoRedraw& operator=(const NoRedraw&) = delete;

private:
    HWND hwnd_;
};

}  // namespace

void RichEdit::LoadLibraryOnce()
{
    static const HMODULE library = LoadLibraryW(L"Msftedit.dll");
    if (library == nullptr)
        throw std::runtime_error("the rich-text control (Msftedit.dll) cannot be loaded");
}

RichEdit::RichEdit(HWND parent, int controlId)
{
    LoadLibraryOnce();
    hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, MSFTEDIT_CLASS, L"",
                            WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE |
                                ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr)
        throw std::runtime_error("cannot create the rich-text control");
    SendMessageW(hwnd_, EM_EXLIMITTEXT, 0, TextLimit);
    SendMessageW(hwnd_, EM_SETTARGETDEVICE, 0, 1);  // a line width of 1: no word wrap
}

void RichEdit::ReplaceWithRtf(std::string_view rtf)
{
    const NoRedraw noRedraw(hwnd_);
    RtfSource source{rtf};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = &ReadRtf;
    SendMessageW(hwnd_, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    if (stream.dwError != 0)
        throw std::runtime_error("the report could not be shown in the rich-text control");
    Select(0, 0);
    ScrollCaretIntoView();
    SendMessageW(hwnd_, WM_VSCROLL, SB_TOP, 0);
    SendMessageW(hwnd_, WM_HSCROLL, SB_LEFT, 0);
}

void RichEdit::Clear()
{
    SetWindowTextW(hwnd_, L"");
}

int RichEdit::TextLength() const
{
    GETTEXTLENGTHEX query{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<int>(SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0));
}

void RichEdit::Select(int start, int end)
{
    CHARRANGE range{start, end};
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

std::pair<int, int> RichEdit::Selection() const
{
    CHARRANGE range{};
    SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return {range.cpMin, range.cpMax};
}

void RichEdit::ScrollCaretIntoView()
{
    SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
}

void RichEdit::CopySelection()
{
    SendMessageW(hwnd_, WM_COPY, 0, 0);
}

LONG RichEdit::FormatRange(FORMATRANGE& range, bool render)
{
    return static_cast<LONG>(SendMessageW(hwnd_, EM_FORMATRANGE, render, reinterpret_cast<LPARAM>(&range)));
}

void RichEdit::EndFormatting()
{
    SendMessageW(hwnd_, EM_FORMATRANGE, FALSE, 0);
}

}  // namespace ostrel::ui
