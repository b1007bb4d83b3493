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

HWND& MainWindow()
{
    static HWND main = nullptr;
    return main;
}

}  // namespace

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
    } catch (const std::exception& error) {
        ShowError(Widen(error.what()));
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
