#include "tests/ui/std_dialogs.h"

#include "tests/ui/remote_window.h"

namespace ostrel::uitest {

namespace {

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 15000, &result);
    return static_cast<LRESULT>(result);
}

bool IsMessageBox(HWND dialog) {
    return GetDlgItem(dialog, MessageText) && !GetDlgItem(dialog, FileNameEdit) && !GetDlgItem(dialog, FileNameCombo) &&
           !GetDlgItem(dialog, PrinterNameCombo);
}

}  // namespace

HWND WaitForDialog(const OstrelSession& session, int controlId, unsigned long timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = session.Dialog(controlId)) != nullptr; }, timeoutMs);
    if (found) Settle(300);  // its initialisation ends after it becomes visible
    return found;
}

HWND MessageBoxOf(const OstrelSession& session) {
    for (HWND dialog : TopLevelWindowsOf(session.ProcessId(), L"#32770")) {
        if (IsMessageBox(dialog)) return dialog;
    }
    return nullptr;
}

HWND WaitForMessageBox(const OstrelSession& session, unsigned long timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = MessageBoxOf(session)) != nullptr; }, timeoutMs);
    return found;
}

void SetControlText(HWND dialog, int controlId, const std::wstring& text) {
    Send(GetDlgItem(dialog, controlId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SetChecked(HWND dialog, int controlId, bool checked) {
    Send(GetDlgItem(dialog, controlId), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Press(HWND dialog, int buttonId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

bool WaitGone(HWND window, unsigned long timeoutMs) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

bool SaveThroughDialog(const OstrelSession&, HWND dialog, const std::wstring& path) {
    if (!dialog) return false;
    SetControlText(dialog, GetDlgItem(dialog, FileNameCombo) ? FileNameCombo : FileNameEdit, path);
    Press(dialog, IDOK);
    return true;
}

bool PrintThroughDialog(HWND dialog, const std::wstring& printer) {
    if (!dialog) return false;
    HWND combo = GetDlgItem(dialog, PrinterNameCombo);
    const auto index = Send(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(printer.c_str()));
    if (index < 0) return false;
    Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Send(dialog, WM_COMMAND, MAKEWPARAM(PrinterNameCombo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    Settle(300);
    Press(dialog, IDOK);
    return true;
}

}  // namespace ostrel::uitest
