// The program's one current printer, chosen in the print dialogs and asked through the spooler.
#pragma once

#include "platform/forwarding_spooler.h"
#include "platform/win32/global_memory.h"

#include <windows.h>
#include <commdlg.h>

#include <string>

namespace ostrel {

inline void ReleaseDeviceContext(HDC dc) { DeleteDC(dc); }
using UniqueDeviceContext = Unique<HDC, ReleaseDeviceContext>;

// The ANSI record (DEVMODEA) of a wide device mode in a global block: the same fields and driver
// data, the device and form names in the system code page. Null when the block holds no whole record.
UniqueGlobalMemory AnsiDevModeOf(HGLOBAL wideBlock);

// A printer the user confirmed in the print dialog.
struct ChosenPrinter {
    UniqueDeviceContext dc;
    bool toFile = false;  // the user asked for the print-to-file path
};

// The process's printer object: the system's spooler, except that the current printer is the one
// the print or printer-setup dialog chose last, once one did. Every report window's dialogs share
// its device mode and device names, so that a printer chosen in one is the printer the next print
// and the next report use.
class ApplicationPrinter final : public ForwardingSpooler {
public:
    using ForwardingSpooler::ForwardingSpooler;

    // The printer-setup dialog: a confirmed choice becomes the current printer.
    void ShowPrinterSetup(HWND owner);
    // The print dialog: a confirmed choice becomes the current printer and is returned with a
    // device context for it; a cancelled dialog returns no context.
    ChosenPrinter ShowPrint(HWND owner);

    // Once a dialog chose a printer: ANSI names and an ANSI device mode (a DEVMODEA in a global
    // block this object owns, valid until the next confirmed dialog).
    CurrentPrinter GetCurrentPrinter() override { return HasChosen() ? chosen_ : inner_.GetCurrentPrinter(); }
    std::string GetCurrentPrinterName() override
    {
        return HasChosen() ? chosen_.deviceName : inner_.GetCurrentPrinterName();
    }

private:
    // Until a dialog has chosen a printer the program stands on the system's default.
    bool HasChosen() const { return chosen_.devMode != nullptr || !chosen_.deviceName.empty(); }
    // Runs the dialog on the shared handles; false when the user cancelled.
    bool Run(PRINTDLGW& dialog);
    void TakeChoice();
    // The printer's driver as the spooler names it; empty when the printer cannot be asked.
    std::string DriverNameOf(const std::string& device);

    // Null until a dialog first chose a printer: the dialogs then start on the system's default.
    UniqueGlobalMemory devMode_;
    UniqueGlobalMemory devNames_;
    UniqueGlobalMemory ansiDevMode_;
    CurrentPrinter chosen_;
};

}  // namespace ostrel
