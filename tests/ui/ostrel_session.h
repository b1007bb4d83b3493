// One running Ostrel.exe and the ways into its windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ostrel::uitest {

class OstrelSession {
public:
    // Starts the program and waits until its frame shows a filled printer list (or the time runs
    // out: then Started() is false).
    explicit OstrelSession(const std::wstring& exe);
    ~OstrelSession();
    OstrelSession(const OstrelSession&) = delete;
    OstrelSession& operator=(const OstrelSession&) = delete;

    bool Started() const { return frame_ != nullptr; }
    bool Running() const;
    HANDLE Process() const { return process_.hProcess; }
    DWORD ProcessId() const { return process_.dwProcessId; }

    HWND Frame() const { return frame_; }
    HWND MdiClient() const { return mdiClient_; }
    HWND Printers() const { return printers_; }
    HWND ToolBar() const { return toolBar_; }
    HWND StatusBar() const { return statusBar_; }

    // Report windows, in the MDI client's z order (the active one first).
    std::vector<HWND> ReportWindows() const;
    HWND ActiveReport() const;
    HWND RichEditOf(HWND reportWindow) const;
    std::wstring ReportText(HWND reportWindow, bool crlf = true) const;

    std::vector<std::wstring> Entries() const;
    int Selection() const;

    // Whether the command is enabled now: 1 yes, 0 no, -1 when the frame does not know it. The
    // frame answers its registered "OstrelCommandState" message, since menus cannot be read from
    // another process.
    int CommandState(unsigned commandId) const;
    // Sends a command as its menu item or shortcut would (WM_COMMAND to the frame).
    void Command(unsigned commandId) const;
    // Refreshes as F5 does (the refresh command) and lets the program work off what the refresh
    // left in its queue (repaints, windows closed). False when the frame did not handle it in time.
    bool Refresh() const;
    // Selects entry i the way the frame's code is told of a user's choice: the list's selection
    // and the selection-change notice to the list's parent.
    void ChooseByMessage(int index) const;
    // Brings the window's top-level window to the front with the keyboard focus on the window (the
    // frame when null), so that real key presses reach it.
    void Focus(HWND window = nullptr) const;
    // Top-level dialogs of the program (class #32770) that hold the control id.
    HWND Dialog(int controlId) const;

    // Asks the frame to close and waits; ends the process if it does not.
    void Close();

private:
    PROCESS_INFORMATION process_{};
    HWND frame_ = nullptr;
    HWND mdiClient_ = nullptr;
    HWND printers_ = nullptr;
    HWND toolBar_ = nullptr;
    HWND statusBar_ = nullptr;
};

}  // namespace ostrel::uitest
