// A spooler whose printers come from printer description files: every answer a spooler and a
// driver gave for a printer, recorded or written by hand, including the garbage only a broken
// driver returns. The native build reports from it; tests script the cases no real driver shows.
#pragma once

#include "platform/portable/description_values.h"
#include "platform/portable/record_image.h"
#include "platform/spooler.h"

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace ostrel {

class ScriptedSpooler final : public Spooler {
public:
    // The code page a capture's byte strings are in when its file names none.
    static constexpr DWORD DefaultCodePage = 1252;

    ScriptedSpooler() = default;
    // Adds the printers of a description to this system. Throws std::runtime_error naming the file
    // (origin), the printer and the member that is wrong; nothing is added then.
    void LoadFile(const std::string& path);
    void LoadText(const std::string& text, const std::string& origin);
    void Load(const Json& description, const std::string& origin);

    // Whether a printer of this name is here, letter case aside.
    bool HasPrinter(const std::string& name) const;
    // The printer whose record EnumPrintersA returns at index, or null.
    const std::string* EnumeratedPrinterName(std::size_t index) const;
    DWORD CodePage() const { return codePage_; }

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
    DWORD GetLastError() override { return lastError_; }
    LocalText FormatMessageA(DWORD code) override;
    WindowsFamily GetVersionExA() override { return family_; }
    unsigned GetACP() override { return codePage_; }
    // Byte for byte.
    int lstrcmpA(const char* a, const char* b) override;
    // That of the file the printer was described in; 32-bit for a printer there is none of.
    WindowsLayout LayoutOfAnswers(const char* device) override;
    bool IsReadableMemory(const void* address, std::size_t length) override;
    CurrentPrinter GetCurrentPrinter() override;
    const void* GlobalLock(DevModeHandle handle) override;
    void GlobalUnlock(DevModeHandle) override {}
    std::size_t GlobalSize(DevModeHandle handle) override;

    // Calls that are still open; a report must leave none behind.
    int OpenHandles() const { return openHandles_; }

private:
    struct Capability {
        std::int32_t answer = -1;
        std::optional<std::int32_t> fillAnswer;
        std::vector<BYTE> entries;  // laid out as the driver writes them
    };
    struct Level {
        std::optional<DWORD> error;
        std::optional<RecordImage> image;
    };
    struct Current {
        std::string deviceName;
        std::string driverName;
        std::string portName;
        std::optional<std::string> error;
        std::vector<BYTE>* devMode = nullptr;  // one of devModeBlocks_
    };
    struct Printer {
        std::string name;
        WindowsLayout layout = WindowsLayout::Win32;
        std::optional<std::string> devices;
        std::optional<DWORD> openError;
        std::map<WORD, Capability> capabilities;
        std::map<DWORD, Level> printerLevels;
        std::map<DWORD, Level> driverLevels;
        Json enumRecord4;
        Json enumRecord5;
        std::optional<std::int32_t> documentSize;
        std::vector<BYTE> documentRecord;
        std::int32_t documentFillResult = 1;
    };

    static void CopyBytes(void* to, const void* from, std::size_t count);
    static std::string NameKey(std::string name);
    // Reading a description (scripted_spooler_load.cpp).
    Printer ParsePrinter(const Json& description);
    Capability ParseCapability(WORD index, const Json& value);
    std::vector<BYTE> ParseEntry(WORD index, const Json& entry);
    const char* DriverText(const Json& record, const char* field);
    const Printer* Find(const char* name) const;
    Printer* Find(const char* name);
    Printer* FromHandle(PrinterHandle handle);
    bool Answer(std::map<DWORD, Level>& levels, DWORD level, BYTE* buffer, DWORD size, DWORD* needed);

    std::deque<Printer> printers_;
    std::unordered_map<std::string, std::size_t> byName_;  // printers_ by their names in lower case
    std::unordered_set<const void*> handles_;              // the printers, as handles
    std::map<DWORD, std::string> messages_;
    WindowsFamily family_ = WindowsFamily::Nt;
    DWORD codePage_ = DefaultCodePage;
    std::optional<Current> current_;
    std::deque<std::string> driverTexts_;                // memory a driver's records point into
    std::map<std::uintptr_t, std::size_t> driverMemory_;  // where those texts lie: start, readable bytes
    std::deque<std::vector<BYTE>> devModeBlocks_;        // the current printer's device-mode handles
    DWORD lastError_ = 0;
    int openHandles_ = 0;
};

}  // namespace ostrel
