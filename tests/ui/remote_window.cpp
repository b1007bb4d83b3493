#include "tests/ui/remote_window.h"

#include <commctrl.h>
#include <richedit.h>

namespace ostrel::uitest {

namespace {

constexpr DWORD MessageTimeoutMs = 15000;

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, MessageTimeoutMs, &result)) return 0;
    return static_cast<LRESULT>(result);
}

// Class names compare without regard to case, as the window manager does ("MDIClient").
bool IsClass(HWND window, const wchar_t* className) { return _wcsicmp(ClassOf(window).c_str(), className) == 0; }

}  // namespace

RemoteMemory::RemoteMemory(HANDLE process, std::size_t size)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
      size_(address_ ? size : 0) {}

RemoteMemory::~RemoteMemory() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(const void* data, std::size_t size, std::size_t offset) const {
    if (!address_ || offset + size > size_) return false;
    SIZE_T done = 0;
    return WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) && done == size;
}

bool RemoteMemory::Read(void* data, std::size_t size, std::size_t offset) const {
    if (!address_ || offset + size > size_) return false;
    SIZE_T done = 0;
    return ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) && done == size;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(50);
    }
}

void Settle(DWORD ms) { Sleep(ms); }

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    const auto length = Send(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto got = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got));
    return text;
}

std::vector<HWND> ChildrenOf(HWND parent, const wchar_t* className) {
    std::vector<HWND> found;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (IsClass(w, className)) found.push_back(w);
    }
    return found;
}

namespace {

struct DescendantSearch {
    const wchar_t* className;
    int controlId;
    HWND found;
};

// Enumeration callbacks are stdcall in the 32-bit build, which lambdas cannot be.
BOOL CALLBACK MatchDescendant(HWND w, LPARAM p) {
    auto& s = *reinterpret_cast<DescendantSearch*>(p);
    if (!IsClass(w, s.className)) return TRUE;
    if (s.controlId != 0 && GetDlgCtrlID(w) != s.controlId) return TRUE;
    s.found = w;
    return FALSE;
}

struct TopLevelSearch {
    DWORD processId;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK MatchTopLevel(HWND w, LPARAM p) {
    auto& s = *reinterpret_cast<TopLevelSearch*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == s.processId && IsWindowVisible(w) && IsClass(w, s.className)) s.found.push_back(w);
    return TRUE;
}

}  // namespace

HWND FindDescendant(HWND root, const wchar_t* className, int controlId) {
    DescendantSearch search{className, controlId, nullptr};
    EnumChildWindows(root, MatchDescendant, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId, const wchar_t* className) {
    TopLevelSearch search{processId, className, {}};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::wstring> ComboEntries(HWND combo) {
    std::vector<std::wstring> entries;
    const auto count = Send(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = Send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0) break;
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const auto got = Send(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
        entries.push_back(text);
    }
    return entries;
}

int ComboSelection(HWND combo) { return static_cast<int>(Send(combo, CB_GETCURSEL, 0, 0)); }

std::wstring RichEditText(HANDLE process, HWND richEdit, bool crlf) {
    GETTEXTLENGTHEX lengthQuery{};
    lengthQuery.flags = GTL_NUMCHARS | (crlf ? GTL_USECRLF : GTL_DEFAULT);
    lengthQuery.codepage = 1200;
    RemoteMemory query(process, sizeof lengthQuery);
    query.Write(&lengthQuery, sizeof lengthQuery);
    const auto length = static_cast<std::size_t>(Send(richEdit, EM_GETTEXTLENGTHEX, query.Address(), 0));

    GETTEXTEX request{};
    request.cb = static_cast<DWORD>((length + 1) * sizeof(wchar_t));
    request.flags = crlf ? GT_USECRLF : GT_DEFAULT;
    request.codepage = 1200;
    RemoteMemory block(process, sizeof request + request.cb);
    if (!block.Write(&request, sizeof request)) return {};
    const auto got = Send(richEdit, EM_GETTEXTEX, block.Address(), block.Address() + sizeof request);
    std::wstring text(static_cast<std::size_t>(got), L'\0');
    if (got > 0) block.Read(text.data(), text.size() * sizeof(wchar_t), sizeof request);
    return text;
}

CHARRANGE RichEditSelection(HANDLE process, HWND richEdit) {
    CHARRANGE range{-1, -1};
    RemoteMemory block(process, sizeof range);
    block.Write(&range, sizeof range);
    Send(richEdit, EM_EXGETSEL, 0, block.Address());
    block.Read(&range, sizeof range);
    return range;
}

std::wstring StatusBarTip(HANDLE process, HWND statusBar, int part) {
    constexpr std::size_t Capacity = 8192;
    RemoteMemory block(process, Capacity * sizeof(wchar_t));
    const wchar_t nothing = 0;
    block.Write(&nothing, sizeof nothing);
    Send(statusBar, SB_GETTIPTEXTW, MAKEWPARAM(part, Capacity), block.Address());
    std::wstring text(Capacity, L'\0');
    block.Read(text.data(), Capacity * sizeof(wchar_t));
    text.resize(text.find(L'\0'));
    return text;
}

std::wstring StatusBarText(HANDLE process, HWND statusBar, int part) {
    const auto length = static_cast<std::size_t>(LOWORD(Send(statusBar, SB_GETTEXTLENGTHW, part, 0)));
    RemoteMemory block(process, (length + 1) * sizeof(wchar_t));
    const wchar_t nothing = 0;
    block.Write(&nothing, sizeof nothing);
    Send(statusBar, SB_GETTEXTW, part, block.Address());
    std::wstring text(length + 1, L'\0');
    block.Read(text.data(), text.size() * sizeof(wchar_t));
    text.resize(text.find(L'\0'));
    return text;
}

int ListViewRowCount(HWND list) { return static_cast<int>(Send(list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring ListViewCell(HANDLE process, HWND list, int row, int column) {
    constexpr std::size_t Capacity = 1024;
    RemoteMemory block(process, sizeof(LVITEMW) + Capacity * sizeof(wchar_t));
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(block.Address() + sizeof(LVITEMW));
    item.cchTextMax = static_cast<int>(Capacity);
    block.Write(&item, sizeof item);
    const auto got = Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), block.Address());
    std::wstring text(static_cast<std::size_t>(got), L'\0');
    if (got > 0) block.Read(text.data(), text.size() * sizeof(wchar_t), sizeof(LVITEMW));
    return text;
}

RECT ListViewRowScreenRect(HANDLE process, HWND list, int row) {
    RECT rect{LVIR_LABEL, 0, 0, 0};
    RemoteMemory block(process, sizeof rect);
    block.Write(&rect, sizeof rect);
    Send(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), block.Address());
    block.Read(&rect, sizeof rect);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int ListViewSelected(HWND list) {
    return static_cast<int>(Send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool ToolButtonEnabled(HWND toolBar, int commandId) {
    return Send(toolBar, TB_ISBUTTONENABLED, static_cast<WPARAM>(commandId), 0) != 0;
}

RECT ToolButtonScreenRect(HANDLE process, HWND toolBar, int commandId) {
    RECT rect{};
    RemoteMemory block(process, sizeof rect);
    block.Write(&rect, sizeof rect);
    Send(toolBar, TB_GETRECT, static_cast<WPARAM>(commandId), block.Address());
    block.Read(&rect, sizeof rect);
    MapWindowPoints(toolBar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace ostrel::uitest
