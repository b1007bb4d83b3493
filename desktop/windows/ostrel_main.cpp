// The program entry of Ostrel.exe: the application object, the frame, the message loop.
#include "desktop/user_messages.h"
#include "desktop/windows/frame_window.h"
#include "desktop/windows/program_look.h"
#include "platform/win32/application_printer.h"
#include "platform/win32/ui/application.h"
#include "platform/win32/win32_spooler.h"

#include <commctrl.h>
#include <ole2.h>

namespace {

// COM for the shell's Printers folder, OLE for the rich-text control's clipboard.
class OleSession {
public:
    OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession()
    {
        if (ok_)
            OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool ok_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
{
    using ostrel::ui::Application;
    const OleSession ole;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    Application::SetTitle(ostrel::ProgramTitle);
    Application::SetFailureText(ostrel::UnexpectedFailureMessage);
    try {
        // Reports follow the printer the print and printer-setup dialogs chose last.
        ostrel::Win32Spooler systemSpooler;
        ostrel::ApplicationPrinter printer(systemSpooler);
        ostrel::FrameWindow frame(printer);
        frame.Create();
        ShowWindow(frame.Handle(), showCommand);
        UpdateWindow(frame.Handle());
        return Application::Run(
            frame.Handle(), [&frame](MSG& message) { return frame.PreTranslate(message); },
            [&frame] { frame.Idle(); });
    } catch (...) {
        Application::ShowCurrentException();
    }
    return 0;
}
