#include "platform/win32/ui/window.h"

#include "platform/win32/ui/application.h"

#include <stdexcept>

namespace ostrel::ui {

namespace {

Window* AttachedObject(UINT message, LPARAM lParam, HWND hwnd)
{
    if (message != WM_NCCREATE)
        return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    if (create->dwExStyle & WS_EX_MDICHILD)
        return reinterpret_cast<Window*>(static_cast<const MDICREATESTRUCTW*>(create->lpCreateParams)->lParam);
    return static_cast<Window*>(create->lpCreateParams);
}

}  // namespace

void Window::RegisterWindowClass(const wchar_t* className, HBRUSH background, HICON icon, HICON smallIcon)
{
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &windowClass))
        return;
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = &Window::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = background;
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
    windowClass.lpszClassName = className;
    if (RegisterClassExW(&windowClass) == 0)
        throw std::runtime_error("cannot register a window class");
}

Window* Window::FromHandle(HWND hwnd)
{
    if (hwnd == nullptr || GetClassLongPtrW(hwnd, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&Window::Procedure))
        return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT Window::DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* window = AttachedObject(message, lParam, hwnd);
    if (window == nullptr)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCCREATE) {
        window->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    LRESULT result = 0;
    try {
        result = window->HandleMessage(message, wParam, lParam);
    } catch (...) {
        Application::ShowCurrentException();
        // A window whose creation failed is not created.
        if (message == WM_NCCREATE)
            result = FALSE;
        else if (message == WM_CREATE)
            result = -1;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        window->hwnd_ = nullptr;
        window->WindowDestroyed();
    }
    return result;
}

}  // namespace ostrel::ui
