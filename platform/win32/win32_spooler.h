// The spooler of the running Windows: every method calls the Win32 function it is named after.
#pragma once

#include "platform/spooler.h"
#include "platform/win32/global_memory.h"

namespace ostrel {

class Win32Spooler final : public Spooler {
public:
    Win32Spooler() = default;
    Win32Spooler(const Win32Spooler&) = delete;
    Win32Spooler& operator=(const Win32Spooler&) = delete;

    bool OpenPrinterA(const std::string& name, PrinterHandle* handle, PRINTER_DEFAULTSA* defaults) override;
    bool ClosePrinter(PrinterHandle handle) override;
    std::int32_t DeviceCapabilitiesA(const char* device, const char* port, WORD capability, void* output,
                                     std::size_t outputSize) override;
    bool GetPrinterA(PrinterHandle handle, DWORD level, BYTE* buffer, DWORD size, DWORD* needed) override;
    bool GetPrinterDriverA(PrinterHandle handle, const char* environment, DWORD level, BYTE* buffer, DWORD size,
                           DWORD* needed) override;
    std::int32_t DocumentPropertiesA(PrinterHandle handle, const char* device, DEVMODEA* output,
                                     std::size_t outputSize, const DEVMODEA* input, DWORD mode) override;
    bool EnumPrintersA(DWORD flags, const char* name, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                       DWORD* returned) override;
    std::string GetPrivateProfileStringA(const char* section, const char* key, const char* fallback,
                                         const char* file) override;
    DWORD GetLastError() override;
    LocalText FormatMessageA(DWORD code) override;
    WindowsFamily GetVersionExA() override;
    unsigned GetACP() override;
    int lstrcmpA(const char* a, const char* b) override;
    WindowsLayout LayoutOfAnswers(const char* device) override;
    bool IsReadableMemory(const void* address, std::size_t length) override;
    CurrentPrinter GetCurrentPrinter() override;
    std::string GetCurrentPrinterName() override;
    const void* GlobalLock(DevModeHandle handle) override;
    void GlobalUnlock(DevModeHandle handle) override;
    std::size_t GlobalSize(DevModeHandle handle) override;

private:
    void LoadCurrentPrinterName();
    void LoadCurrentPrinter();

    // The name is cheap to have; driver, port and device mode cost an open and four driver
    // round trips, so they are loaded only when asked for.
    bool nameLoaded_ = false;
    bool currentLoaded_ = false;
    CurrentPrinter current_;
    UniqueGlobalMemory devMode_;  // current_.devMode
};

}  // namespace ostrel
