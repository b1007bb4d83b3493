// The program's one current printer: the device mode and device names that the print and the
// printer-setup dialogs of every report window share, so that a printer chosen in one is the
// printer the next print uses.
#pragma once

#include "platform/win32/ui/handles.h"

#include <windows.h>

namespace ostrel {

inline void ReleaseGlobalMemory(HGLOBAL block) { GlobalFree(block); }
inline void ReleaseDeviceContext(HDC dc) { DeleteDC(dc); }
using UniqueGlobalMemory = ui::Unique<HGLOBAL, ReleaseGlobalMemory>;
using UniqueDeviceContext = ui::Unique<HDC, ReleaseDeviceContext>;

// A printer the user confirmed in the print dialog.
struct ChosenPrinter {
    UniqueDeviceContext dc;
    bool toFile = false;  // the user asked for the print-to-file path
};

class ApplicationPrinter {
public:
    static ApplicationPrinter& Instance();

    ApplicationPrinter(const ApplicationPrinter&) = delete;
    ApplicationPrinter& operator=(const ApplicationPrinter&) = delete;

    // The printer-setup dialog: a confirmed choice becomes the current printer.
    void ShowPrinterSetup(HWND owner);
    // The print dialog: a confirmed choice becomes the current printer and is returned with a
    // device context for it; a cancelled dialog returns no context.
    ChosenPrinter ShowPrint(HWND owner);

private:
    ApplicationPrinter() = default;
    // Runs the dialog on the shared handles; false when the user cancelled.
    bool Run(PRINTDLGW& dialog);

    // Null until a dialog first chose a printer: the dialogs then start on the system's default.
    UniqueGlobalMemory devMode_;
    UniqueGlobalMemory devNames_;
};

}  // namespace ostrel
