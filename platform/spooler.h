// The narrow door to the print spooler, the printer drivers and the few system services a report
// needs. Methods carry the names of the Win32 functions they wrap; Win32Spooler calls them, the
// scripted spooler answers from printer description files.
#pragma once

#include "platform/unique_handle.h"
#include "platform/win_records.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace ostrel {

using PrinterHandle = HANDLE;
using DevModeHandle = void*;  // an HGLOBAL on Windows

enum class WindowsFamily { Nt, Windows95 };

// The record layouts a printer's answers were made in: those of a 32-bit or of a 64-bit Windows
// program. Sizes a driver writes into its records are read against them.
enum class WindowsLayout { Win32, Win64 };

// Releases a message text the system allocated, with the system's LocalFree.
void ReleaseLocalText(char* text) noexcept;
using LocalText = Unique<char*, ReleaseLocalText>;

// The printer the application's printer object currently stands on.
struct CurrentPrinter {
    std::string deviceName;
    std::string driverName;
    std::string portName;
    DevModeHandle devMode = nullptr;
};

class Spooler {
public:
    virtual ~Spooler() = default;

    virtual bool OpenPrinterA(const std::string& name, PrinterHandle* handle, PRINTER_DEFAULTSA* defaults) = 0;
    virtual bool ClosePrinter(PrinterHandle handle) = 0;

    // outputSize is the size of the caller's buffer. The real query has no such argument and trusts
    // the caller; the portable spooler uses it to stay inside the buffer.
    virtual std::int32_t DeviceCapabilitiesA(const char* device, const char* port, WORD capability, void* output,
                                             std::size_t outputSize) = 0;
    virtual bool GetPrinterA(PrinterHandle handle, DWORD level, BYTE* buffer, DWORD size, DWORD* needed) = 0;
    virtual bool GetPrinterDriverA(PrinterHandle handle, const char* environment, DWORD level, BYTE* buffer,
                                   DWORD size, DWORD* needed) = 0;
    // Window is always none; outputSize as for DeviceCapabilitiesA.
    virtual std::int32_t DocumentPropertiesA(PrinterHandle handle, const char* device, DEVMODEA* output,
                                             std::size_t outputSize, const DEVMODEA* input, DWORD mode) = 0;
    virtual bool EnumPrintersA(DWORD flags, const char* name, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                               DWORD* returned) = 0;

    // The value of key in section of the initialization file, at most 2047 characters, or fallback.
    virtual std::string GetPrivateProfileStringA(const char* section, const char* key, const char* fallback,
                                                 const char* file) = 0;
    virtual DWORD GetLastError() = 0;
    // The system's text for code (FormatMessageA, flags 0x11FF with inserts ignored, language 0x400),
    // or null. A text with inserts keeps its "%1" as it stands.
    virtual LocalText FormatMessageA(DWORD code) = 0;
    // The family GetVersionExA reports: its platform id.
    virtual WindowsFamily GetVersionExA() = 0;
    // The ANSI code page, which every text of the spooler and the driver is in. Western (1252)
    // unless a spooler knows better.
    virtual unsigned GetACP() { return 1252; }
    // Zero when the two texts are the same for the system's comparison.
    virtual int lstrcmpA(const char* a, const char* b) = 0;
    // The layout the answers for the printer device follow: the running program's own on Windows,
    // the one a description file was captured with.
    virtual WindowsLayout LayoutOfAnswers(const char* device) = 0;

    // VirtualQuery on Windows: whether length bytes at address can be read. Driver data that lives outside the returned
    // buffer (the texts of a produced-data-type record) is checked with this before it is read.
    virtual bool IsReadableMemory(const void* address, std::size_t length) = 0;

    // The application's printer object: its current printer and that printer's device mode.
    virtual CurrentPrinter GetCurrentPrinter() = 0;
    // Only the current printer's device name (empty for none): where the rest is costly to load,
    // this answers without loading it.
    virtual std::string GetCurrentPrinterName() { return GetCurrentPrinter().deviceName; }
    virtual const void* GlobalLock(DevModeHandle handle) = 0;
    virtual void GlobalUnlock(DevModeHandle handle) = 0;
    virtual std::size_t GlobalSize(DevModeHandle handle) = 0;
};

}  // namespace ostrel
