// The program's one current printer: the device mode and device names that the print and the
// printer-setup dialogs of every report window share, so that a printer chosen in one is the
// printer the next print uses.
#pragma once

#include "platform/spooler.h"
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
class ApplicationSpooler final : public Spooler {
public:
    explicit ApplicationSpooler(Spooler& system) : system_(system) {}

    bool OpenPrinterA(const std::string& name, PrinterHandle* handle, PRINTER_DEFAULTSA* defaults) override
    {
        return system_.OpenPrinterA(name, handle, defaults);
    }
    bool ClosePrinter(PrinterHandle handle) override { return system_.ClosePrinter(handle); }
    std::int32_t DeviceCapabilitiesA(const char* device, const char* port, WORD capability, void* output,
                                     std::size_t outputSize) override
    {
        return system_.DeviceCapabilitiesA(device, port, capability, output, outputSize);
    }
    bool GetPrinterA(PrinterHandle handle, DWORD level, BYTE* buffer, DWORD size, DWORD* needed) override
    {
        return system_.GetPrinterA(handle, level, buffer, size, needed);
    }
    bool GetPrinterDriverA(PrinterHandle handle, const char* environment, DWORD level, BYTE* buffer, DWORD size,
                           DWORD* needed) override
    {
        return system_.GetPrinterDriverA(handle, environment, level, buffer, size, needed);
    }
    std::int32_t DocumentPropertiesA(PrinterHandle handle, const char* device, DEVMODEA* output,
                                     std::size_t outputSize, const DEVMODEA* input, DWORD mode) override
    {
        return system_.DocumentPropertiesA(handle, device, output, outputSize, input, mode);
    }
    bool EnumPrintersA(DWORD flags, const char* name, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                       DWORD* returned) override
    {
        return system_.EnumPrintersA(flags, name, level, buffer, size, needed, returned);
    }
    std::string GetPrivateProfileStringA(const char* section, const char* key, const char* fallback,
                                         const char* file) override
    {
        return system_.GetPrivateProfileStringA(section, key, fallback, file);
    }
    DWORD GetLastError() override { return system_.GetLastError(); }
    LocalText FormatMessageA(DWORD code) override { return system_.FormatMessageA(code); }
    WindowsFamily GetVersionExA() override { return system_.GetVersionExA(); }
    unsigned GetACP() override { return system_.GetACP(); }
    int lstrcmpA(const char* a, const char* b) override { return system_.lstrcmpA(a, b); }
    WindowsLayout LayoutOfAnswers(const char* device) override { return system_.LayoutOfAnswers(device); }
    bool IsReadableMemory(const void* address, std::size_t length) override
    {
        return system_.IsReadableMemory(address, length);
    }
    CurrentPrinter GetCurrentPrinter() override
    {
        const ApplicationPrinter& printer = ApplicationPrinter::Instance();
        return printer.HasChosen() ? printer.Chosen() : system_.GetCurrentPrinter();
    }
    // Both kinds of handle are global memory blocks.
    const void* GlobalLock(DevModeHandle handle) override { return system_.GlobalLock(handle); }
    void GlobalUnlock(DevModeHandle handle) override { system_.GlobalUnlock(handle); }
    std::size_t GlobalSize(DevModeHandle handle) override { return system_.GlobalSize(handle); }

private:
    Spooler& system_;
};

}  // namespace ostrel
