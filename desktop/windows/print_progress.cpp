#include "desktop/windows/print_progress.h"

#include "desktop/user_messages.h"
#include "platform/win32/ui/application.h"


namespace ostrel {

namespace {

constexpr int Width = 320;
constexpr int Height = 120;
constexpr int Margin = 12;
constexpr int ButtonWidth = 88;
constexpr int ButtonHeight = 24;
constexpr int FontHeight = -12;
constexpr const wchar_t* FontName = L"ＭＳ Ｐゴシック";
constexpr const wchar_t* Preparing = L"印刷の準備をしています...";
constexpr const wchar_t* Cancelling = L"印刷を中止しています...";

std::wstring PageText(int number, int pages)
{
    if (number == 0)
        return Preparing;
    return L"ページ " + std::to_wstring(number) + L" / " + std::to_wstring(pages) + L" を印刷しています...";
}

}  // namespace

PrintProgress::PrintProgress(HWND owner, const std::wstring& printerName) : top_(GetAncestor(owner, GA_ROOT))
{
    RegisterWindowClass(ClassName, GetSysColorBrush(COLOR_BTNFACE), nullptr, nullptr);
    RECT over{};
    GetWindowRect(top_, &over);
    const int left = over.left + (over.right - over.left - Width) / 2;
    const int top = over.top + (over.bottom - over.top - Height) / 2;
    const std::wstring caption = L"印刷 - " + printerName;
    if (CreateWindowExW(WS_EX_DLGMODALFRAME, ClassName, caption.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, left,
                        top, Width, Height, top_, nullptr, GetModuleHandleW(nullptr), this) == nullptr)
        throw ui::MessageError(CannotCreateMessage(WindowPart::PrintProgress));
    EnableWindow(top_, FALSE);
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

PrintProgress::~PrintProgress()
{
    // Enabled first, so that the frame, not some other program, becomes active when the box goes.
    EnableWindow(top_, TRUE);
    if (Handle() != nullptr)
        DestroyWindow(Handle());
    // For the main loop, now that the job is abandoned.
    if (quitCode_)
        PostQuitMessage(*quitCode_);
}

bool PrintProgress::Continue(int number, int pages)
{
    if (!cancelled_ && (number != shownNumber_ || (number != 0 && pages != shownPages_))) {
        SetWindowTextW(text_, PageText(number, pages).c_str());
        shownNumber_ = number;
        shownPages_ = pages;
    }
    PumpMessages();
    return !cancelled_;
}

// Everything waiting, with the box's keys (Escape, Enter, Tab) handled as a dialog's. The frame
// is disabled, so what reaches it is painting and messages from other programs, not the user.
void PrintProgress::PumpMessages()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Kept for the main loop: posted again now, it would come back at every pumping.
            quitCode_ = static_cast<int>(message.wParam);
            Cancel();
            continue;
        }
        if (Handle() != nullptr && IsDialogMessageW(Handle(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void PrintProgress::Cancel()
{
    if (cancelled_)
        return;
    cancelled_ = true;
    SetWindowTextW(text_, Cancelling);
    EnableWindow(cancel_, FALSE);
}

LRESULT PrintProgress::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        font_.reset(CreateFontW(FontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                FontName));
        RECT client{};
        GetClientRect(Handle(), &client);
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        text_ = CreateWindowExW(0, L"STATIC", Preparing, WS_CHILD | WS_VISIBLE | SS_LEFT, Margin, Margin,
                                client.right - 2 * Margin, 20, Handle(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(TextId)), instance, nullptr);
        cancel_ = CreateWindowExW(0, L"BUTTON", L"キャンセル", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                  (client.right - ButtonWidth) / 2, client.bottom - Margin - ButtonHeight,
                                  ButtonWidth, ButtonHeight, Handle(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL)), instance, nullptr);
        if (text_ == nullptr || cancel_ == nullptr)
            return -1;
        for (const HWND control : {text_, cancel_})
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        return 0;
    }
    case WM_SHOWWINDOW:
        if (wParam)
            SetFocus(cancel_);
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            Cancel();
            return 0;
        }
        break;
    case WM_CLOSE:
        Cancel();
        return 0;
    default:
        break;
    }
    return DefaultProcedure(message, wParam, lParam);
}

}  // namespace ostrel
