// Reports against a spooler whose every answer comes from the fuzzer's bytes: counts and sizes,
// capability arrays shorter or longer than their counts, records whose pointers lead to any offset
// inside, at the edge of, or outside their buffer, device modes with any dmSize and dmDriverExtra,
// calls that fail or raise, and the printer list built from enumerated records of the same kind.
// Whatever the answers, the report keeps the rules of tests/fuzz/report_checks.h, never raises out
// of the builder, and closes every printer it opened.
#include "platform/capability_layouts.h"
#include "platform/printer_list.h"
#include "platform/record_fields.h"
#include "tests/fuzz/report_checks.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace ostrel {
namespace {

constexpr std::size_t PageSize = 4096;
constexpr DWORD MaxRecordBytes = 2048;

enum class Answer { Raise, Fail, Give };

class FuzzedSpooler final : public Spooler {
public:
    explicit FuzzedSpooler(FuzzedDataProvider& input) : input_(input)
    {
        // The driver's own memory, which produced-data-type texts point into: one page, so that
        // reading on from a readable byte up to the page's end stays inside it.
        driverMemory_ = static_cast<char*>(std::aligned_alloc(PageSize, PageSize));
        std::memset(driverMemory_, 0, PageSize);
        const std::vector<std::uint8_t> texts = input_.ConsumeBytes<std::uint8_t>(input_.ConsumeIntegralInRange(0, 256));
        if (!texts.empty())
            std::memcpy(driverMemory_, texts.data(), texts.size());
    }
    ~FuzzedSpooler() override { std::free(driverMemory_); }
    FuzzedSpooler(const FuzzedSpooler&) = delete;
    FuzzedSpooler& operator=(const FuzzedSpooler&) = delete;

    int OpenHandles() const { return openHandles_; }
    void SetReportedDevice(const std::string& name) { device_ = name; }

    bool OpenPrinterA(const std::string&, PrinterHandle* handle, PRINTER_DEFAULTSA*) override
    {
        *handle = nullptr;
        if (Next() != Answer::Give)
            return false;
        *handle = this;
        ++openHandles_;
        return true;
    }

    bool ClosePrinter(PrinterHandle handle) override
    {
        if (handle == this)
            --openHandles_;
        return Next() == Answer::Give;
    }

    std::int32_t DeviceCapabilitiesA(const char*, const char*, WORD capability, void* output,
                                      std::size_t outputSize) override
    {
        if (Next() != Answer::Give)
            return -1;
        if (output == nullptr)
            return Count();
        auto* bytes = static_cast<BYTE*>(output);
        FillBytes(bytes, outputSize);
        const CapabilityLayout* layout = CapabilityByIndex(capability);
        if (layout != nullptr && layout->kind == EntryKind::DocInfo) {
            for (std::size_t at = 0; at + sizeof(DOCINFOA) <= outputSize; at += sizeof(DOCINFOA)) {
                DOCINFOA record;
                std::memcpy(&record, bytes + at, sizeof record);
                record.lpszDocName = static_cast<const char*>(DriverPointer());
                record.lpszOutput = static_cast<const char*>(DriverPointer());
                record.lpszDatatype = static_cast<const char*>(DriverPointer());
                std::memcpy(bytes + at, &record, sizeof record);
            }
        }
        return Count();
    }

    bool GetPrinterA(PrinterHandle, DWORD level, BYTE* buffer, DWORD size, DWORD* needed) override
    {
        return Records(PrinterInfoLayout(level), 1, buffer, size, needed);
    }

    bool GetPrinterDriverA(PrinterHandle, const char*, DWORD level, BYTE* buffer, DWORD size, DWORD* needed) override
    {
        return Records(DriverInfoLayout(level), 1, buffer, size, needed);
    }

    std::int32_t DocumentPropertiesA(PrinterHandle, const char*, DEVMODEA* output, std::size_t outputSize,
                                     const DEVMODEA*, DWORD mode) override
    {
        if (Next() != Answer::Give)
            return -1;
        if ((mode & DM_OUT_BUFFER) == 0)
            return input_.ConsumeIntegralInRange<std::int32_t>(-1, 600);
        FillBytes(reinterpret_cast<BYTE*>(output), outputSize);
        return input_.ConsumeBool() ? 1 : -1;
    }

    bool EnumPrintersA(DWORD, const char*, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                       DWORD* returned) override
    {
        *returned = 0;
        const DWORD count = input_.ConsumeIntegralInRange<DWORD>(0, 6);
        if (!Records(PrinterInfoLayout(level), count, buffer, size, needed))
            return false;
        // The count may claim more records than the buffer holds.
        *returned = input_.ConsumeBool() ? count : input_.ConsumeIntegralInRange<DWORD>(0, 64);
        return true;
    }

    std::string GetPrivateProfileStringA(const char*, const char*, const char* fallback, const char*) override
    {
        if (Next() != Answer::Give)
            return fallback;
        return input_.ConsumeRandomLengthString(64);
    }

    DWORD GetLastError() override
    {
        Next();
        return input_.ConsumeIntegral<DWORD>();
    }

    LocalText FormatMessageA(DWORD) override
    {
        if (Next() != Answer::Give)
            return {};
        const std::string text = input_.ConsumeRandomLengthString(64);
        auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
        std::memcpy(copy, text.c_str(), text.size() + 1);
        return LocalText(copy);
    }

    int lstrcmpA(const char* a, const char* b) override { return std::strcmp(a, b); }
    // The records are laid out in this build's own layout.
    WindowsLayout LayoutOfAnswers(const char*) override
    {
        return sizeof(void*) == 4 ? WindowsLayout::Win32 : WindowsLayout::Win64;
    }
    WindowsFamily GetVersionExA() override
    {
        if (Next() != Answer::Give)
            return WindowsFamily::Nt;
        return input_.ConsumeBool() ? WindowsFamily::Nt : WindowsFamily::Windows95;
    }

    bool IsReadableMemory(const void* address, std::size_t length) override
    {
        Next();
        const auto at = reinterpret_cast<std::uintptr_t>(address);
        const auto begin = reinterpret_cast<std::uintptr_t>(driverMemory_);
        return at >= begin && length <= PageSize && at - begin <= PageSize - length;
    }

    std::string GetCurrentPrinterName() override
    {
        if (Next() != Answer::Give)
            return {};
        return input_.ConsumeBool() ? device_ : input_.ConsumeRandomLengthString(16);
    }

    CurrentPrinter GetCurrentPrinter() override
    {
        CurrentPrinter current;
        if (Next() != Answer::Give)
            return current;
        current.deviceName = device_;
        if (input_.ConsumeBool()) {
            devMode_.assign(input_.ConsumeIntegralInRange<std::size_t>(0, 400), 0);
            FillBytes(devMode_.data(), devMode_.size());
            current.devMode = &devMode_;
        }
        return current;
    }

    const void* GlobalLock(DevModeHandle handle) override
    {
        if (Next() != Answer::Give || handle == nullptr)
            return nullptr;
        return static_cast<std::vector<BYTE>*>(handle)->data();
    }

    void GlobalUnlock(DevModeHandle) override { Next(); }

    std::size_t GlobalSize(DevModeHandle handle) override
    {
        if (Next() != Answer::Give || handle == nullptr)
            return 0;
        return static_cast<std::vector<BYTE>*>(handle)->size();
    }

private:
    // Most calls answer; some fail, a few raise.
    Answer Next()
    {
        const std::uint8_t choice = input_.ConsumeIntegral<std::uint8_t>();
        if (choice < 4)
            throw std::runtime_error("the driver raised");
        return choice < 40 ? Answer::Fail : Answer::Give;
    }

    // Small counts, or the extremes: any negative one, or one so large that no entry array of
    // it fits in memory. (Counts between are what they claim: a report that long takes its time.)
    std::int32_t Count()
    {
        switch (input_.ConsumeIntegralInRange(0, 5)) {
        case 0:
            return input_.ConsumeIntegralInRange<std::int32_t>(INT32_MIN, -1);
        case 1:
            return input_.ConsumeIntegralInRange<std::int32_t>(INT32_MAX - 7, INT32_MAX);
        default:
            return input_.ConsumeIntegralInRange<std::int32_t>(-2, 40);
        }
    }

    void FillBytes(BYTE* bytes, std::size_t size)
    {
        if (bytes == nullptr)
            return;
        const std::vector<BYTE> given = input_.ConsumeBytes<BYTE>(size);
        std::memset(bytes, 0, size);
        if (!given.empty())
            std::memcpy(bytes, given.data(), given.size());
    }

    // Null, into the driver's memory, or anywhere at all.
    const void* DriverPointer()
    {
        switch (input_.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return nullptr;
        case 1:
            return reinterpret_cast<const void*>(input_.ConsumeIntegral<std::uintptr_t>());
        default:
            return driverMemory_ + input_.ConsumeIntegralInRange<std::size_t>(0, PageSize - 1);
        }
    }

    // Null, to any offset of the buffer or a little past it, or anywhere at all.
    BYTE* RecordPointer(BYTE* buffer, DWORD size)
    {
        switch (input_.ConsumeIntegralInRange(0, 7)) {
        case 0:
            return nullptr;
        case 1:
            return reinterpret_cast<BYTE*>(input_.ConsumeIntegral<std::uintptr_t>());
        default:
            return buffer + input_.ConsumeIntegralInRange<DWORD>(0, size + 8);
        }
    }

    // The two-step record query: the size call reports a size; the filling call writes count
    // records of layout (fields from the input, pointers aimed by it) and texts from the input.
    bool Records(const RecordLayout* layout, DWORD count, BYTE* buffer, DWORD size, DWORD* needed)
    {
        *needed = 0;
        if (Next() != Answer::Give || layout == nullptr)
            return false;
        if (buffer == nullptr) {
            *needed = input_.ConsumeBool() ? static_cast<DWORD>(layout->size * count + input_.ConsumeIntegralInRange<DWORD>(0, 512))
                                           : input_.ConsumeIntegralInRange<DWORD>(0, MaxRecordBytes);
            return false;
        }
        FillBytes(buffer, size);
        for (DWORD record = 0; record < count && (record + 1) * layout->size <= size; ++record) {
            BYTE* at = buffer + record * layout->size;
            for (const RecordField& field : layout->fields) {
                if (field.kind == FieldKind::Dword || field.kind == FieldKind::Qword || field.kind == FieldKind::FileTime)
                    continue;
                BYTE* pointer = RecordPointer(buffer, size);
                std::memcpy(at + field.offset, &pointer, sizeof pointer);
            }
        }
        return true;
    }

    FuzzedDataProvider& input_;
    char* driverMemory_ = nullptr;
    std::vector<BYTE> devMode_;
    std::string device_;
    int openHandles_ = 0;
};

}  // namespace
}  // namespace ostrel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ostrel;
    FuzzedDataProvider input(data, size);
    FuzzedSpooler spooler(input);

    std::string entry = input.ConsumeRandomLengthString(32);
    if (input.ConsumeBool()) {
        // The printer list is a window's business: what it raises there, the window shows.
        try {
            PrinterList printers(spooler);
            if (!printers.Entries().empty())
                entry = printers.Entries().front();
        } catch (const std::exception&) {
        }
    }
    spooler.SetReportedDevice(DeviceNameOfEntry(entry));
    fuzz::CheckReport(spooler, entry);
    fuzz::Require(spooler.OpenHandles() == 0, "every printer opened is closed");
    return 0;
}
