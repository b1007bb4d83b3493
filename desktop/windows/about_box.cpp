#include "desktop/windows/about_box.h"

#include "desktop/res/resource_ids.h"
#include "platform/win32/wide_text.h"
#include "program_version.h"

#include <string>

namespace ostrel {

namespace {

constexpr wchar_t Caption[] = L"バージョン情報";
// Broken where a Japanese reader would: a message box wraps a line of Japanese at whatever
// character reaches its edge, inside a word.
constexpr wchar_t Description[] = L"プリンタとドライバの情報を一覧にして\n表示・保存・印刷するツール";

}  // namespace

// A message box with the program's icon is all it needs: it has an OK button, closes on Escape,
// and follows the system's look.
void ShowAboutBox(HWND owner)
{
    const std::wstring text =
        L"Ostrel\nバージョン " + Widen(OSTREL_VERSION_TEXT) + L"\n\n" + Description;
    MSGBOXPARAMSW box{};
    box.cbSize = sizeof box;
    box.hwndOwner = owner;
    box.hInstance = GetModuleHandleW(nullptr);
    box.lpszText = text.c_str();
    box.lpszCaption = Caption;
    box.dwStyle = MB_OK | MB_USERICON;
    box.lpszIcon = MAKEINTRESOURCEW(IDI_OSTREL);
    MessageBoxIndirectW(&box);
}

}  // namespace ostrel
