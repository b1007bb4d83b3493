#include "platform/win32/ui/dialog_template.h"

namespace ostrel::ui {

namespace {

// DLGTEMPLATE: style and extended style (two words each), then the item count at this word.
constexpr std::size_t ItemCountWord = 4;

}  // namespace

DialogTemplate::DialogTemplate(const std::wstring& caption, short width, short height, const std::wstring& fontName,
                               WORD fontPoints, DWORD extraStyle)
{
    PutDword(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | extraStyle);
    PutDword(0);
    words_.insert(words_.end(), {0, 0, 0, static_cast<WORD>(width), static_cast<WORD>(height)});
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the standard dialog class
    Put(caption);
    words_.push_back(fontPoints);
    Put(fontName);
}

void DialogTemplate::Add(ControlClass kind, int id, const std::wstring& text, DWORD style, short x, short y,
                         short width, short height)
{
    AlignToDword();
    PutDword(WS_CHILD | WS_VISIBLE | style);
    PutDword(0);
    words_.insert(words_.end(), {static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(width),
                                 static_cast<WORD>(height), static_cast<WORD>(id)});
    words_.insert(words_.end(), {0xFFFF, static_cast<WORD>(kind)});
    Put(text);
    words_.push_back(0);  // no creation data
    ++words_[ItemCountWord];
}

INT_PTR DialogTemplate::Run(HWND owner, DLGPROC procedure, LPARAM parameter) const
{
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words_.data()),
                                   owner, procedure, parameter);
}

void DialogTemplate::Put(const std::wstring& text)
{
    words_.insert(words_.end(), text.begin(), text.end());
    words_.push_back(0);
}

void DialogTemplate::PutDword(DWORD value)
{
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
}

void DialogTemplate::AlignToDword()
{
    if (words_.size() % 2 != 0)
        words_.push_back(0);
}

}  // namespace ostrel::ui
