// A spooler that wraps another and makes one chosen call fail, or raise, the way a misbehaving
// driver or system does; every other call goes through unchanged. It also logs the calls made, so
// a test can walk a fault through every call a report makes, one at a time.
#pragma once

#include "platform/spooler.h"

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace ostrel {

enum class InjectedFault {
    Fail,   // the call answers as it does when it fails (false, -1, null, no printer), last error set
    Raise,  // the call throws InjectedFaultError
};

class InjectedFaultError : public std::runtime_error {
public:
    explicit InjectedFaultError(const std::string& call) : std::runtime_error("injected fault in " + call) {}
};

class FaultInjectingSpooler final : public Spooler {
public:
    // The last error a failed call leaves: ERROR_GEN_FAILURE.
    static constexpr DWORD InjectedError = 31;

    explicit FaultInjectingSpooler(Spooler& inner) : inner_(inner) {}

    // The call'th call from now on (the next one is 1) gets the fault; 0 injects none.
    void InjectAt(std::size_t call, InjectedFault fault);
    // Names of the calls made since construction, in order; the faulty one included.
    const std::vector<std::string>& Calls() const { return calls_; }

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
    unsigned GetACP() override { return inner_.GetACP(); }
    int lstrcmpA(const char* a, const char* b) override;
    WindowsLayout LayoutOfAnswers(const char* device) override { return inner_.LayoutOfAnswers(device); }
    bool IsReadableMemory(const void* address, std::size_t length) override;
    CurrentPrinter GetCurrentPrinter() override;
    std::string GetCurrentPrinterName() override;
    const void* GlobalLock(DevModeHandle handle) override;
    void GlobalUnlock(DevModeHandle handle) override;
    std::size_t GlobalSize(DevModeHandle handle) override;

private:
    // Logs the call; true when it is to fail (a failing call sets the last error), throws when it is to raise.
    bool Faulty(const char* call);

    Spooler& inner_;
    std::vector<std::string> calls_;
    std::size_t faultyCall_ = 0;  // index into calls_ + 1; 0 for none
    InjectedFault fault_ = InjectedFault::Fail;
    std::optional<DWORD> lastError_;  // set by an injected failure until the next call that goes through
};

}  // namespace ostrel
