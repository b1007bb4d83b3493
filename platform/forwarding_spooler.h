// A spooler that passes every call to another one: the base of a spooler that changes only some
// answers (the application's printer object, a test bending a driver's answers).
#pragma once

#include "platform/spooler.h"

namespace ostrel {

class ForwardingSpooler : public Spooler {
public:
    explicit ForwardingSpooler(Spooler& inner) : inner_(inner) {}

    bool OpenPrinterA(const std::string& name, PrinterHandle* handle, PRINTER_DEFAULTSA* defaults) override
    {
        return inner_.OpenPrinterA(name, handle, defaults);
    }
    bool ClosePrinter(PrinterHandle handle) override { return inner_.ClosePrinter(handle); }
    std::int32_t DeviceCapabilitiesA(const char* device, const char* port, WORD capability, void* output,
                                     std::size_t outputSize) override
    {
        return inner_.DeviceCapabilitiesA(device, port, capability, output, outputSize);
    }
    bool GetPrinterA(PrinterHandle handle, DWORD level, BYTE* buffer, DWORD size, DWORD* needed) override
    {
        return inner_.GetPrinterA(handle, level, buffer, size, needed);
    }
    bool GetPrinterDriverA(PrinterHandle handle, const char* environment, DWORD level, BYTE* buffer, DWORD size,
                           DWORD* needed) override
    {
        return inner_.GetPrinterDriverA(handle, environment, level, buffer, size, needed);
    }
    std::int32_t DocumentPropertiesA(PrinterHandle handle, const char* device, DEVMODEA* output,
                                     std::size_t outputSize, const DEVMODEA* input, DWORD mode) override
    {
        return inner_.DocumentPropertiesA(handle, device, output, outputSize, input, mode);
    }
    bool EnumPrintersA(DWORD flags, const char* name, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                       DWORD* returned) override
    {
        return inner_.EnumPrintersA(flags, name, level, buffer, size, needed, returned);
    }
    std::string GetPrivateProfileStringA(const char* section, const char* key, const char* fallback,
                                         const char* file) override
    {
        return inner_.GetPrivateProfileStringA(section, key, fallback, file);
    }
    DWORD GetLastError() override { return inner_.GetLastError(); }
    LocalText FormatMessageA(DWORD code) override { return inner_.FormatMessageA(code); }
    WindowsFamily GetVersionExA() override { return inner_.GetVersionExA(); }
    unsigned GetACP() override { return inner_.GetACP(); }
    int lstrcmpA(const char* a, const char* b) override { return inner_.lstrcmpA(a, b); }
    WindowsLayout LayoutOfAnswers(const char* device) override { return inner_.LayoutOfAnswers(device); }
    bool IsReadableMemory(const void* address, std::size_t length) override
    {
        return inner_.IsReadableMemory(address, length);
    }
    CurrentPrinter GetCurrentPrinter() override { return inner_.GetCurrentPrinter(); }
    std::string GetCurrentPrinterName() override { return inner_.GetCurrentPrinterName(); }
    const void* GlobalLock(DevModeHandle handle) override { return inner_.GlobalLock(handle); }
    void GlobalUnlock(DevModeHandle handle) override { inner_.GlobalUnlock(handle); }
    std::size_t GlobalSize(DevModeHandle handle) override { return inner_.GlobalSize(handle); }

protected:
    Spooler& inner_;
};

}  // namespace ostrel
