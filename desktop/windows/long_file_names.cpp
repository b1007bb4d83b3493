#include "desktop/windows/long_file_names.h"

#include "desktop/user_messages.h"
#include "desktop/windows/program_look.h"

#include <commctrl.h>

#include <string>

namespace ostrel {

namespace {

// The file dialogs' name box: a combo box in the Explorer layout, an edit box in the older one.
constexpr int FileNameCombo = 0x47C;
constexpr int FileNameEdit = 0x480;
constexpr UINT_PTR SubclassId = 1;

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The length of the path the dialog would make of the typed name in the folder it shows.
std::size_t PathLength(HWND dialog)
{
    HWND box = GetDlgItem(dialog, FileNameCombo);
    if (box == nullptr)
        box = GetDlgItem(dialog, FileNameEdit);
    const std::wstring name = box != nullptr ? TextOf(box) : std::wstring();
    const bool absolute = name.size() >= 2 && (name[1] == L':' || (name[0] == L'\\' && name[1] == L'\\'));
    if (absolute)
        return name.size();
    const auto folder = static_cast<int>(SendMessageW(dialog, CDM_GETFOLDERPATH, 0, 0));
    return (folder > 0 ? static_cast<std::size_t>(folder) : 0) + name.size();
}

LRESULT CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        // The folder's length counts its terminator, which stands for the separator; the dialog may
        // still add an extension of up to four characters.
        constexpr std::size_t Extension = 4;
        const std::size_t length = PathLength(dialog) + Extension;
        if (length >= MAX_PATH) {
            MessageBoxW(dialog, FileNameTooLongMessage(MAX_PATH - 1 - Extension).c_str(), ProgramTitle,
                        MB_OK | MB_ICONWARNING);
            return 0;
        }
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(dialog, DialogProcedure, SubclassId);
    return DefSubclassProc(dialog, message, wParam, lParam);
}

// The hook's own dialog is a child of the file dialog, which it watches from its start.
UINT_PTR CALLBACK Hook(HWND child, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG)
        SetWindowSubclass(GetParent(child), DialogProcedure, SubclassId, 0);
    return 0;
}

// Wine's ntdll exports its version; Windows' does not.
bool RunsOnWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

}  // namespace

void RefuseLongFileNames(OPENFILENAMEW& dialog)
{
    // Windows' own dialog takes long names safely, and a hook would cost it its current look.
    if (!RunsOnWine())
        return;
    dialog.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
    dialog.lpfnHook = Hook;
}

}  // namespace ostrel
