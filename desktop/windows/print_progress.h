// The small box that shows while a report prints: which page goes out, and a Cancel button. While
// it shows, the frame is disabled, as under a modal dialog, but its messages keep flowing between
// pages, so that it repaints and answers.
#pragma once

#include "desktop/windows/report_printing.h"
#include "platform/win32/ui/handles.h"
#include "platform/win32/ui/window.h"

#include <optional>
#include <string>

namespace ostrel {

class PrintProgress final : public ui::Window, public PrintMonitor {
public:
    static constexpr const wchar_t* ClassName = L"TOstrelPrintProgress";
    static constexpr int TextId = 0x100;

    // Shows the box over owner's top-level window and disables that window.
    PrintProgress(HWND owner, const std::wstring& printerName);
    // Enables the top-level window again and closes the box.
    ~PrintProgress() override;

    // Shows the page and lets every waiting message through; false once the user cancelled.
    bool Continue(int number, int pages) override;
    // What the Cancel button does: the job stops at the next page, or mid-page.
    void Cancel();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PumpMessages();

    HWND top_;
    HWND text_ = nullptr;
    HWND cancel_ = nullptr;
    ui::UniqueFont font_;
    bool cancelled_ = false;
    std::optional<int> quitCode_;  // of a quit message that came while printing
    int shownNumber_ = -1;
    int shownPages_ = -1;
};

}  // namespace ostrel
