#include "report/window/application_printer.h"

#include <commdlg.h>

#include <stdexcept>
#include <string>

namespace ostrel {

ApplicationPrinter& ApplicationPrinter::Instance()
{
    static ApplicationPrinter printer;
    return printer;
}

bool ApplicationPrinter::Run(PRINTDLGW& dialog)
{
    // The dialog may free the blocks it is given and hand back new ones, on either outcome: it owns
    // them for the call.
    dialog.hDevMode = devMode_.release();
    dialog.hDevNames = devNames_.release();
    const BOOL confirmed = PrintDlgW(&dialog);
    devMode_.reset(dialog.hDevMode);
    devNames_.reset(dialog.hDevNames);
    // A dialog that could not show (no printer installed, say) is no cancel.
    const DWORD error = confirmed ? 0 : CommDlgExtendedError();
    if (error != 0)
        throw std::runtime_error("the print dialog failed: common dialog error " + std::to_string(error));
    return confirmed != FALSE;
}

void ApplicationPrinter::ShowPrinterSetup(HWND owner)
{
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_PRINTSETUP;
    Run(dialog);
}

ChosenPrinter ApplicationPrinter::ShowPrint(HWND owner)
{
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    // The whole report is printed: no page range, no selection; the driver makes the copies.
    dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nCopies = 1;
    ChosenPrinter chosen;
    const bool confirmed = Run(dialog);
    chosen.dc.reset(dialog.hDC);
    if (confirmed && !chosen.dc)
        throw std::runtime_error("the chosen printer gave no device context");
    chosen.toFile = (dialog.Flags & PD_PRINTTOFILE) != 0;
    return chosen;
}

}  // namespace ostrel
