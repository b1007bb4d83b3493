#include "platform/win32/win32_spooler.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace ostrel {

namespace {

constexpr DWORD ProfileBufferSize = 2048;
// Allocate, from the system table, no line breaks, and inserts left as they stand: no arguments
// are passed, so a text such as "%1 is not a valid Win32 application." must not read any.
constexpr DWORD SystemMessageFlags = 0x11FF | FORMAT_MESSAGE_IGNORE_INSERTS;
constexpr DWORD UserDefaultLanguage = 0x400;

// The spooler takes names as writable strings.
std::vector<char> Writable(const std::string& text)
{
    return std::vector<char>(text.c_str(), text.c_str() + text.size() + 1);
}

bool IsReadableProtection(DWORD protection)
{
    if (protection & (PAGE_GUARD | PAGE_NOACCESS))
        return false;
    return (protection & (PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                          PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY)) != 0;
}

void ReleasePrinter(HANDLE printer)
{
    ::ClosePrinter(printer);
}
using UniquePrinter = Unique<HANDLE, ReleasePrinter>;

}  // namespace

bool Win32Spooler::OpenPrinterA(const std::string& name, PrinterHandle* handle, PRINTER_DEFAULTSA* defaults)
{
    std::vector<char> writable = Writable(name);
    return ::OpenPrinterA(writable.data(), handle, defaults) != FALSE;
}

bool Win32Spooler::ClosePrinter(PrinterHandle handle)
{
    return ::ClosePrinter(handle) != FALSE;
}

std::int32_t Win32Spooler::DeviceCapabilitiesA(const char* device, const char* port, WORD capability, void* output,
                                               std::size_t)
{
    return ::DeviceCapabilitiesA(device, port, capability, static_cast<LPSTR>(output), nullptr);
}

bool Win32Spooler::GetPrinterA(PrinterHandle handle, DWORD level, BYTE* buffer, DWORD size, DWORD* needed)
{
    return ::GetPrinterA(handle, level, buffer, size, needed) != FALSE;
}

bool Win32Spooler::GetPrinterDriverA(PrinterHandle handle, const char* environment, DWORD level, BYTE* buffer,
                                     DWORD size, DWORD* needed)
{
    std::vector<char> writable = Writable(environment != nullptr ? environment : "");
    return ::GetPrinterDriverA(handle, environment != nullptr ? writable.data() : nullptr, level, buffer, size,
                               needed) != FALSE;
}

std::int32_t Win32Spooler::DocumentPropertiesA(PrinterHandle handle, const char* device, DEVMODEA* output,
                                               std::size_t, const DEVMODEA* input, DWORD mode)
{
    std::vector<char> writable = Writable(device);
    return ::DocumentPropertiesA(nullptr, handle, writable.data(), output, const_cast<DEVMODEA*>(input), mode);
}

bool Win32Spooler::EnumPrintersA(DWORD flags, const char* name, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                                 DWORD* returned)
{
    std::vector<char> writable = Writable(name != nullptr ? name : "");
    return ::EnumPrintersA(flags, name != nullptr ? writable.data() : nullptr, level, buffer, size, needed,
                           returned) != FALSE;
}

std::string Win32Spooler::GetPrivateProfileStringA(const char* section, const char* key, const char* fallback,
                                                   const char* file)
{
    char value[ProfileBufferSize] = {};
    const DWORD length = ::GetPrivateProfileStringA(section, key, fallback, value, ProfileBufferSize, file);
    return std::string(value, length < ProfileBufferSize ? length : ProfileBufferSize - 1);
}

DWORD Win32Spooler::GetLastError()
{
    return ::GetLastError();
}

LocalText Win32Spooler::FormatMessageA(DWORD code)
{
    char* text = nullptr;
    ::FormatMessageA(SystemMessageFlags, nullptr, code, UserDefaultLanguage, reinterpret_cast<LPSTR>(&text), 0,
                     nullptr);
    return LocalText(text);
}

WindowsFamily Win32Spooler::GetVersionExA()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (::GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return WindowsFamily::Windows95;
    return WindowsFamily::Nt;
}

unsigned Win32Spooler::GetACP()
{
    return ::GetACP();
}

int Win32Spooler::lstrcmpA(const char* a, const char* b)
{
    return ::lstrcmpA(a, b);
}

WindowsLayout Win32Spooler::LayoutOfAnswers(const char*)
{
    return sizeof(void*) == 4 ? WindowsLayout::Win32 : WindowsLayout::Win64;
}

bool Win32Spooler::IsReadableMemory(const void* address, std::size_t length)
{
    auto at = reinterpret_cast<std::uintptr_t>(address);
    const std::uintptr_t end = at + length;
    if (end < at)
        return false;
    while (at < end) {
        MEMORY_BASIC_INFORMATION region{};
        if (VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof region) == 0)
            return false;
        if (region.State != MEM_COMMIT || !IsReadableProtection(region.Protect))
            return false;
        at = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
    }
    return true;
}

// The application's printer object stands on the system's default printer from the start, with
// the device mode its driver gives for it.
void Win32Spooler::LoadCurrentPrinterName()
{
    nameLoaded_ = true;
    DWORD size = 0;
    ::GetDefaultPrinterA(nullptr, &size);
    if (size == 0)
        return;
    std::vector<char> name(size, '\0');
    if (::GetDefaultPrinterA(name.data(), &size))
        current_.deviceName = name.data();
}

void Win32Spooler::LoadCurrentPrinter()
{
    if (!nameLoaded_)
        LoadCurrentPrinterName();
    currentLoaded_ = true;
    if (current_.deviceName.empty())
        return;
    std::vector<char> name = Writable(current_.deviceName);

    HANDLE opened = nullptr;
    if (!::OpenPrinterA(name.data(), &opened, nullptr))
        return;
    const UniquePrinter scoped(opened);
    HANDLE printer = opened;
    DWORD needed = 0;
    ::GetPrinterA(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    if (needed >= sizeof(PRINTER_INFO_2A) && ::GetPrinterA(printer, 2, info.data(), needed, &needed)) {
        const auto* record = reinterpret_cast<const PRINTER_INFO_2A*>(info.data());
        current_.driverName = record->pDriverName != nullptr ? record->pDriverName : "";
        current_.portName = record->pPortName != nullptr ? record->pPortName : "";
    }
    const LONG devModeSize = ::DocumentPropertiesA(nullptr, printer, name.data(), nullptr, nullptr, 0);
    if (devModeSize > 0) {
        UniqueGlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(devModeSize)));
        auto* record = block ? static_cast<DEVMODEA*>(::GlobalLock(block.get())) : nullptr;
        const bool filled =
            record != nullptr && ::DocumentPropertiesA(nullptr, printer, name.data(), record, nullptr, DM_OUT_BUFFER) >= 0;
        if (record != nullptr)
            ::GlobalUnlock(block.get());
        if (filled) {
            current_.devMode = block.get();
            devMode_ = std::move(block);
        }
    }
}

CurrentPrinter Win32Spooler::GetCurrentPrinter()
{
    if (!currentLoaded_)
        LoadCurrentPrinter();
    return current_;
}

std::string Win32Spooler::GetCurrentPrinterName()
{
    if (!nameLoaded_)
        LoadCurrentPrinterName();
    return current_.deviceName;
}

const void* Win32Spooler::GlobalLock(DevModeHandle handle)
{
    return handle != nullptr ? ::GlobalLock(handle) : nullptr;
}

void Win32Spooler::GlobalUnlock(DevModeHandle handle)
{
    if (handle != nullptr)
        ::GlobalUnlock(handle);
}

std::size_t Win32Spooler::GlobalSize(DevModeHandle handle)
{
    return handle != nullptr ? ::GlobalSize(handle) : 0;
}

}  // namespace ostrel
