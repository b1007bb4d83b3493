// The platform's standard dialogs and message boxes of the program under test, driven from outside:
// fill a control with WM_SETTEXT, tick a box, press a button with WM_COMMAND.
#pragma once

#include "tests/ui/ostrel_session.h"

#include <windows.h>

#include <string>

namespace ostrel::uitest {

// Control ids of the standard dialogs.
constexpr int FileNameCombo = 0x47C;  // file dialogs: the file name box
constexpr int FileNameEdit = 0x480;   // file dialogs of the older layout; the find dialog's search text
constexpr int WholeWordBox = 0x410;
constexpr int MatchCaseBox = 0x411;
constexpr int DirectionUp = 0x420;
constexpr int DirectionDown = 0x421;
constexpr int PrinterNameCombo = 0x473;
constexpr int MessageText = 0xFFFF;   // a message box's text

HWND WaitForDialog(const OstrelSession& session, int controlId, unsigned long timeoutMs = 15000);
// A message box of the program (a dialog with a static text 0xFFFF and none of the other ids).
HWND WaitForMessageBox(const OstrelSession& session, unsigned long timeoutMs = 15000);
HWND MessageBoxOf(const OstrelSession& session);

void SetControlText(HWND dialog, int controlId, const std::wstring& text);
void SetChecked(HWND dialog, int controlId, bool checked);
// Presses a button of the dialog (posted: the press may open a modal box of its own).
void Press(HWND dialog, int buttonId);
bool WaitGone(HWND window, unsigned long timeoutMs = 15000);

// The file dialog of the save command: fills the name and confirms.
bool SaveThroughDialog(const OstrelSession& session, HWND dialog, const std::wstring& path);
// The print dialog: picks the printer by name and confirms.
bool PrintThroughDialog(HWND dialog, const std::wstring& printer);

}  // namespace ostrel::uitest
