#include "tests/ui/ostrel_session.h"

#include "desktop/command_table.h"
#include "tests/ui/host.h"
#include "tests/ui/remote_window.h"

#include <commctrl.h>

namespace ostrel::uitest {

OstrelSession::OstrelSession(const std::wstring& exe) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = Quoted(exe);
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_)) {
        return;
    }
    WaitForInputIdle(process_.hProcess, 20000);
    HWND frame = nullptr;
    WaitUntil(
        [&] {
            const auto frames = TopLevelWindowsOf(process_.dwProcessId, L"TFormOstrel");
            frame = frames.empty() ? nullptr : frames.front();
            return frame != nullptr;
        },
        30000);
    if (!frame) return;
    mdiClient_ = FindDescendant(frame, L"MDICLIENT");
    printers_ = FindDescendant(frame, L"ComboBox");
    toolBar_ = FindDescendant(frame, TOOLBARCLASSNAMEW);
    statusBar_ = FindDescendant(frame, STATUSCLASSNAMEW);
    // The first showing fills the list; an empty test bed never passes this wait, and the checks say so.
    WaitUntil([&] { return printers_ && !ComboEntries(printers_).empty(); }, 20000);
    frame_ = frame;
}

OstrelSession::~OstrelSession() {
    Close();
    if (process_.hThread) CloseHandle(process_.hThread);
    if (process_.hProcess) CloseHandle(process_.hProcess);
}

bool OstrelSession::Running() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::vector<HWND> OstrelSession::ReportWindows() const {
    return mdiClient_ ? ChildrenOf(mdiClient_, L"TFormOstrelMain") : std::vector<HWND>{};
}

HWND OstrelSession::ActiveReport() const {
    if (!mdiClient_) return nullptr;
    DWORD_PTR active = 0;
    SendMessageTimeoutW(mdiClient_, WM_MDIGETACTIVE, 0, 0, SMTO_NORMAL, 10000, &active);
    return reinterpret_cast<HWND>(active);
}

HWND OstrelSession::RichEditOf(HWND reportWindow) const {
    return reportWindow ? FindDescendant(reportWindow, MSFTEDIT_CLASS) : nullptr;
}

std::wstring OstrelSession::ReportText(HWND reportWindow, bool crlf) const {
    HWND richEdit = RichEditOf(reportWindow);
    return richEdit ? RichEditText(process_.hProcess, richEdit, crlf) : std::wstring{};
}

std::vector<std::wstring> OstrelSession::Entries() const {
    return printers_ ? ComboEntries(printers_) : std::vector<std::wstring>{};
}

int OstrelSession::Selection() const { return printers_ ? ComboSelection(printers_) : -1; }

int OstrelSession::CommandState(unsigned commandId) const {
    static const UINT query = RegisterWindowMessageW(L"OstrelCommandState");
    DWORD_PTR state = static_cast<DWORD_PTR>(-1);
    if (!SendMessageTimeoutW(frame_, query, commandId, 0, SMTO_NORMAL, 10000, &state)) return -1;
    return static_cast<int>(static_cast<LRESULT>(state));
}

void OstrelSession::Command(unsigned commandId) const {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(frame_, WM_COMMAND, MAKEWPARAM(commandId, 0), 0, SMTO_NORMAL, 60000, &ignored);
}

bool OstrelSession::Refresh() const {
    DWORD_PTR ignored = 0;
    const WPARAM refresh = MAKEWPARAM(static_cast<unsigned>(CommandId::Refresh), 0);
    const bool handled = SendMessageTimeoutW(frame_, WM_COMMAND, refresh, 0, SMTO_NORMAL, 60000, &ignored) != 0;
    // The refresh runs to its end inside the command; repaints and posted messages follow it. Under
    // Wine, GetProcessTimes does not follow another process's processor time, so quiet cannot be
    // watched for: the program gets a moment, then a message that it answers between handlers.
    Settle(100);
    return SendMessageTimeoutW(frame_, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored) != 0 && handled;
}

void OstrelSession::ChooseByMessage(int index) const {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(printers_, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_NORMAL, 10000, &ignored);
    SendMessageTimeoutW(GetParent(printers_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(printers_), CBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(printers_), SMTO_NORMAL, 60000, &ignored);
}

void OstrelSession::Focus(HWND window) const {
    const HWND target = window ? window : frame_;
    const HWND top = GetAncestor(target, GA_ROOT);
    const DWORD own = GetCurrentThreadId();
    const DWORD theirs = GetWindowThreadProcessId(target, nullptr);
    // The focus belongs to the program's thread: attach to it for the moment of the change. The
    // display server learns of the new foreground window a moment later, so check and retry.
    WaitUntil(
        [&] {
            SetForegroundWindow(top);
            AttachThreadInput(own, theirs, TRUE);
            SetFocus(target);
            AttachThreadInput(own, theirs, FALSE);
            Settle(100);
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetForegroundWindow() == top && GetGUIThreadInfo(theirs, &info) && info.hwndFocus == target;
        },
        3000);
    Settle(200);
}

HWND OstrelSession::Dialog(int controlId) const {
    for (HWND dialog : TopLevelWindowsOf(process_.dwProcessId, L"#32770")) {
        if (GetDlgItem(dialog, controlId)) return dialog;
    }
    return nullptr;
}

void OstrelSession::Close() {
    if (!Running()) return;
    if (frame_) PostMessageW(frame_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 10000);
    }
}

}  // namespace ostrel::uitest
