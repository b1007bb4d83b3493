// Reading and driving the windows of another process, the way a user's tools see them: by class,
// by message, and through memory lent inside the other process for messages that carry pointers.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <functional>
#include <string>
#include <vector>

namespace ostrel::uitest {

// A block of memory inside another process, for the messages whose parameters point at data
// (the platform copies only a few standard messages' data between processes).
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, std::size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
    bool Write(const void* data, std::size_t size, std::size_t offset = 0) const;
    bool Read(void* data, std::size_t size, std::size_t offset = 0) const;
    std::size_t Size() const { return size_; }

private:
    HANDLE process_;
    void* address_;
    std::size_t size_;
};

// Waits, pumping nothing, until the condition holds or the time runs out; true when it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
// Lets the other process work for a moment (its idle processing, repaints).
void Settle(DWORD ms = 300);

std::wstring ClassOf(HWND window);
// WM_GETTEXT, which the platform copies between processes.
std::wstring TextOf(HWND window);
// The direct children of parent whose class is className, in z order.
std::vector<HWND> ChildrenOf(HWND parent, const wchar_t* className);
// The first descendant of root with the class (and, unless 0, the control id).
HWND FindDescendant(HWND root, const wchar_t* className, int controlId = 0);
// Visible top-level windows of the process with the class ("#32770" for dialogs).
std::vector<HWND> TopLevelWindowsOf(DWORD processId, const wchar_t* className);

std::vector<std::wstring> ComboEntries(HWND combo);
int ComboSelection(HWND combo);

// The rich-text control's text: paragraph breaks as CR LF, or as the single CR the control counts
// in its character positions.
std::wstring RichEditText(HANDLE process, HWND richEdit, bool crlf);
// The selection as character positions {start, end}.
CHARRANGE RichEditSelection(HANDLE process, HWND richEdit);

// The tooltip text of a status bar part (SB_GETTIPTEXTW).
std::wstring StatusBarTip(HANDLE process, HWND statusBar, int part);
// The text of a status bar part (SB_GETTEXTW).
std::wstring StatusBarText(HANDLE process, HWND statusBar, int part);

// A list view's rows: how many, the text of a cell, a row's rectangle on the screen, the chosen row.
int ListViewRowCount(HWND list);
std::wstring ListViewCell(HANDLE process, HWND list, int row, int column);
RECT ListViewRowScreenRect(HANDLE process, HWND list, int row);
int ListViewSelected(HWND list);
bool ToolButtonEnabled(HWND toolBar, int commandId);
// A tool bar button's rectangle on the screen (TB_GETRECT).
RECT ToolButtonScreenRect(HANDLE process, HWND toolBar, int commandId);

// Text on the clipboard, or empty.
std::wstring ClipboardText();

}  // namespace ostrel::uitest
