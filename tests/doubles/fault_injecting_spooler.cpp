#include "tests/doubles/fault_injecting_spooler.h"

namespace ostrel {

void FaultInjectingSpooler::InjectAt(std::size_t call, InjectedFault fault)
{
    faultyCall_ = call == 0 ? 0 : calls_.size() + call;
    fault_ = fault;
}

bool FaultInjectingSpooler::Faulty(const char* call)
{
    calls_.emplace_back(call);
    if (calls_.size() != faultyCall_)
        return false;
    if (fault_ == InjectedFault::Raise)
        throw InjectedFaultError(call);
    lastError_ = InjectedError;
    return true;
}

bool FaultInjectingSpooler::OpenPrinterA(const std::string& name, PrinterHandle* handle, PRINTER_DEFAULTSA* defaults)
{
    if (Faulty("OpenPrinterA")) {
        *handle = nullptr;
        return false;
    }
    lastError_.reset();
    return inner_.OpenPrinterA(name, handle, defaults);
}

bool FaultInjectingSpooler::ClosePrinter(PrinterHandle handle)
{
    if (Faulty("ClosePrinter"))
        return false;
    lastError_.reset();
    return inner_.ClosePrinter(handle);
}

std::int32_t FaultInjectingSpooler::DeviceCapabilitiesA(const char* device, const char* port, WORD capability,
                                                        void* output, std::size_t outputSize)
{
    if (Faulty("DeviceCapabilitiesA"))
        return -1;
    lastError_.reset();
    return inner_.DeviceCapabilitiesA(device, port, capability, output, outputSize);
}

bool FaultInjectingSpooler::GetPrinterA(PrinterHandle handle, DWORD level, BYTE* buffer, DWORD size, DWORD* needed)
{
    if (Faulty("GetPrinterA")) {
        *needed = 0;
        return false;
    }
    lastError_.reset();
    return inner_.GetPrinterA(handle, level, buffer, size, needed);
}

bool FaultInjectingSpooler::GetPrinterDriverA(PrinterHandle handle, const char* environment, DWORD level,
                                              BYTE* buffer, DWORD size, DWORD* needed)
{
    if (Faulty("GetPrinterDriverA")) {
        *needed = 0;
        return false;
    }
    lastError_.reset();
    return inner_.GetPrinterDriverA(handle, environment, level, buffer, size, needed);
}

std::int32_t FaultInjectingSpooler::DocumentPropertiesA(PrinterHandle handle, const char* device, DEVMODEA* output,
                                                        std::size_t outputSize, const DEVMODEA* input, DWORD mode)
{
    if (Faulty("DocumentPropertiesA"))
        return -1;
    lastError_.reset();
    return inner_.DocumentPropertiesA(handle, device, output, outputSize, input, mode);
}

bool FaultInjectingSpooler::EnumPrintersA(DWORD flags, const char* name, DWORD level, BYTE* buffer, DWORD size,
                                          DWORD* needed, DWORD* returned)
{
    if (Faulty("EnumPrintersA")) {
        *needed = 0;
        *returned = 0;
        return false;
    }
    lastError_.reset();
    return inner_.EnumPrintersA(flags, name, level, buffer, size, needed, returned);
}

std::string FaultInjectingSpooler::GetPrivateProfileStringA(const char* section, const char* key,
                                                            const char* fallback, const char* file)
{
    if (Faulty("GetPrivateProfileStringA"))
        return fallback != nullptr ? fallback : "";
    lastError_.reset();
    return inner_.GetPrivateProfileStringA(section, key, fallback, file);
}

// Failing, it knows of no error; the last error is not changed by asking for it.
DWORD FaultInjectingSpooler::GetLastError()
{
    if (Faulty("GetLastError"))
        return 0;
    return lastError_ ? *lastError_ : inner_.GetLastError();
}

LocalText FaultInjectingSpooler::FormatMessageA(DWORD code)
{
    if (Faulty("FormatMessageA"))
        return {};
    return inner_.FormatMessageA(code);
}

// Failing, it answers what the system's own wrapper answers when the version cannot be had.
WindowsFamily FaultInjectingSpooler::GetVersionExA()
{
    if (Faulty("GetVersionExA"))
        return WindowsFamily::Nt;
    lastError_.reset();
    return inner_.GetVersionExA();
}

int FaultInjectingSpooler::lstrcmpA(const char* a, const char* b)
{
    if (Faulty("lstrcmpA"))
        return 1;
    lastError_.reset();
    return inner_.lstrcmpA(a, b);
}

bool FaultInjectingSpooler::IsReadableMemory(const void* address, std::size_t length)
{
    if (Faulty("IsReadableMemory"))
        return false;
    lastError_.reset();
    return inner_.IsReadableMemory(address, length);
}

CurrentPrinter FaultInjectingSpooler::GetCurrentPrinter()
{
    if (Faulty("GetCurrentPrinter"))
        return {};
    lastError_.reset();
    return inner_.GetCurrentPrinter();
}

std::string FaultInjectingSpooler::GetCurrentPrinterName()
{
    if (Faulty("GetCurrentPrinterName"))
        return {};
    lastError_.reset();
    return inner_.GetCurrentPrinterName();
}

const void* FaultInjectingSpooler::GlobalLock(DevModeHandle handle)
{
    if (Faulty("GlobalLock"))
        return nullptr;
    lastError_.reset();
    return inner_.GlobalLock(handle);
}

void FaultInjectingSpooler::GlobalUnlock(DevModeHandle handle)
{
    if (Faulty("GlobalUnlock"))
        return;
    lastError_.reset();
    inner_.GlobalUnlock(handle);
}

std::size_t FaultInjectingSpooler::GlobalSize(DevModeHandle handle)
{
    if (Faulty("GlobalSize"))
        return 0;
    lastError_.reset();
    return inner_.GlobalSize(handle);
}

}  // namespace ostrel
