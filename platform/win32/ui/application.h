// The application object: its title, its main window, the message loop with an idle step, and the
// error box that shows an exception which escaped a handler.
#pragma once

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ostrel::ui {

// An error whose text is written for the user, whole: the error box shows it as it is.
class MessageError : public std::runtime_error {
public:
    explicit MessageError(std::wstring text);
    const std::wstring& Text() const { return text_; }

private:
    std::wstring text_;
};

class Application {
public:
    // Gives a message the chance to be handled before it is dispatched (accelerators, modeless
    // dialogs); true when it was.
    using PreTranslate = std::function<bool(MSG&)>;
    // Runs whenever the message queue has run empty.
    using Idle = std::function<void()>;

    static void SetTitle(std::wstring title);
    // Words the error box puts around the text of any other exception (the program's language).
    using FailureText = std::function<std::wstring(std::wstring_view detail)>;
    static void SetFailureText(FailureText failureText);
    static const std::wstring& Title();

    // Runs the message loop until the main window is destroyed (WM_QUIT); returns 0.
    static int Run(HWND mainWindow, const PreTranslate& preTranslate, const Idle& idle);

    // The error box (title, stop icon, OK) for the exception being handled: a MessageError's text,
    // another exception's message inside the failure text, or an empty text for an exception that
    // carries none. Call only inside a catch block.
    static void ShowCurrentException();
    static void ShowError(const std::wstring& message);
};

}  // namespace ostrel::ui
