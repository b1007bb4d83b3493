// A window as a C++ object: one window procedure for every class registered here attaches the
// object when the window is created and hands it each message. An exception that escapes a
// handler is shown by the application's error box, and the message counts as handled.
#pragma once

#include <windows.h>

namespace ostrel::ui {

class Window {
public:
    Window() = default;
    virtual ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }

    // The object behind a window of a class registered with RegisterWindowClass, or null.
    static Window* FromHandle(HWND hwnd);

    // Registers a class whose windows are driven by Window objects (RegisterClassExW); a class
    // registered before is left as it is.
    static void RegisterWindowClass(const wchar_t* className, HBRUSH background, HICON icon, HICON smallIcon);

protected:
    // The create parameter that attaches this object: the lpParam of CreateWindowExW, or the
    // lParam of an MDICREATESTRUCTW.
    LPARAM CreateParameter() { return reinterpret_cast<LPARAM>(this); }

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // What the class does by default: DefWindowProcW, DefFrameProcW or DefMDIChildProcW.
    virtual LRESULT DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs after WM_NCDESTROY, when the window is gone; an object that owns itself deletes itself here.
    virtual void WindowDestroyed() {}

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

}  // namespace ostrel::ui
