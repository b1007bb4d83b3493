// The program's one current printer: the device mode and device names that the print and the
// printer-setup dialogs of every report window share, so that a printer chosen in one is the
// printer the next print uses.
#pragma once

#include "platform/forwarding_spooler.h"
#include "platform/win32/ui/handles.h"

#include <windows.h>

namespace ostrel {

inline void ReleaseGlobalMemory(HGLOBAL block) { GlobalFree(block); }
inline void ReleaseDeviceContext(HDC dc) { DeleteDC(dc); }
using UniqueGlobalMemory = ui::Unique<HGLOBAL, ReleaseGlobalMemory>;
using UniqueDeviceContext = ui::Unique<HDC, ReleaseDeviceContext>;

// The ANSI record (DEVMODEA) of a wide device mode in a global block: the same fields and driver
// data, the device and form names in the system code page. Null when the block holds no whole record.
UniqueGlobalMemory AnsiDevModeOf(HGLOBAL wideBlock);

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

    // Whether a dialog has chosen a printer yet; until then the program stands on the system's default.
    bool HasChosen() const { return chosen_.devMode != nullptr || !chosen_.deviceName.empty(); }
    // The chosen printer as the reports read it: ANSI names and an ANSI device mode (a DEVMODEA in a
    // global block this object owns, valid until the next confirmed dialog).
    const CurrentPrinter& Chosen() const { return chosen_; }

private:
    ApplicationPrinter() = default;
    // Runs the dialog on the shared handles; false when the user cancelled.
    bool Run(PRINTDLGW& dialog);
    void TakeChoice();

    // Null until a dialog first chose a printer: the dialogs then start on the system's default.
    UniqueGlobalMemory devMode_;
    UniqueGlobalMemory devNames_;
    UniqueGlobalMemory ansiDevMode_;
    CurrentPrinter chosen_;
};

// The system's spooler, except that the application's printer object stands on the printer the
// print or printer-setup dialog chose last, once one did.
class ApplicationSpooler final : public ForwardingSpooler {
public:
    using ForwardingSpooler::ForwardingSpooler;

    CurrentPrinter GetCurrentPrinter() override
    {
        const ApplicationPrinter& printer = ApplicationPrinter::Instance();
        return printer.HasChosen() ? printer.Chosen() : inner_.GetCurrentPrinter();
    }
    std::string GetCurrentPrinterName() override
    {
        const ApplicationPrinter& printer = ApplicationPrinter::Instance();
        return printer.HasChosen() ? printer.Chosen().deviceName : inner_.GetCurrentPrinterName();
    }
};

}  // namespace ostrel
