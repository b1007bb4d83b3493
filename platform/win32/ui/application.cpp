#include "platform/win32/ui/application.h"

#include "platform/win32/wide_text.h"

#include <exception>
#include <utility>

namespace ostrel::ui {

namespace {

std::wstring& TitleText()
{
    static std::wstring title;
    return title;
}

Application::FailureText& FailureTextOf()
{
    static Application::FailureText failureText;
    return failureText;
}

HWND& MainWindow()
{
    static HWND main = nullptr;
    return main;
}

}  // namespace

MessageError::MessageError(std::wstring text) : std::runtime_error(Narrow(text)), text_(std::move(text)) {}

void Application::SetFailureText(FailureText failureText)
{
    FailureTextOf() = std::move(failureText);
}

void Application::SetTitle(std::wstring title)
{
    TitleText() = std::move(title);
}

const std::wstring& Application::Title()
{
    return TitleText();
}

int Application::Run(HWND mainWindow, const PreTranslate& preTranslate, const Idle& idle)
{
    MainWindow() = mainWindow;
    MSG message{};
    while (true) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && idle) {
            try {
                idle();
            } catch (...) {
                ShowCurrentException();
            }
        }
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        bool handled = false;
        try {
            handled = preTranslate && preTranslate(message);
        } catch (...) {
            ShowCurrentException();
            handled = true;
        }
        if (!handled) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    MainWindow() = nullptr;
    return 0;
}

void Application::ShowCurrentException()
{
    try {
        throw;
    } catch (const MessageError& error) {
        ShowError(error.Text());
    } catch (const std::exception& error) {
        const std::wstring detail = Widen(error.what());
        ShowError(FailureTextOf() ? FailureTextOf()(detail) : detail);
    } catch (...) {
        ShowError(L"");
    }
}

void Application::ShowError(const std::wstring& message)
{
    HWND owner = MainWindow() != nullptr && IsWindow(MainWindow()) ? MainWindow() : nullptr;
    MessageBoxW(owner, message.c_str(), TitleText().c_str(), MB_OK | MB_ICONSTOP);
}

}  // namespace ostrel::ui
