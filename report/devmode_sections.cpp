#include "report/devmode_sections.h"

#include "report/devmode_listing.h"
#include "report/devmode_record.h"
#include "report/record_section.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace ostrel {

namespace {

enum Source : std::size_t {
    Default = DefaultDevMode,
    UserDefault = UserDefaultDevMode,
    GlobalDefault = GlobalDefaultDevMode,
    DocumentProperties = DocumentPropertiesDevMode,
    Current = CurrentDevMode,
    SourceCount = DevModeSourceCount
};

constexpr const char* SourceNames[SourceCount] = {"Default", "User default", "Global default", "DocumentProperties",
                                                  "Current"};

// The copies live for all five sections, since each later source is compared with the earlier ones.
using Slots = std::array<std::unique_ptr<DevModeRecord>, SourceCount>;

// Holds a device-mode handle locked until Unlock, or until it goes out of scope after a fault.
class LockedDevMode {
public:
    LockedDevMode(Spooler& spooler, DevModeHandle handle)
        : spooler_(spooler), handle_(handle), memory_(spooler.GlobalLock(handle)) {}
    ~LockedDevMode()
    {
        try {
            Unlock();
        } catch (...) {
        }
    }
    LockedDevMode(const LockedDevMode&) = delete;
    LockedDevMode& operator=(const LockedDevMode&) = delete;

    const void* Memory() const { return memory_; }
    std::size_t Size() const { return memory_ != nullptr ? spooler_.GlobalSize(handle_) : 0; }
    void Unlock()
    {
        if (memory_ == nullptr)
            return;
        memory_ = nullptr;
        spooler_.GlobalUnlock(handle_);
    }

private:
    Spooler& spooler_;
    DevModeHandle handle_;
    const void* memory_;
};

// The section a source's record is shown in, for the facts of the report.
void KeepTitle(ReportContext& context, Source source, const char* title)
{
    if (context.facts != nullptr)
        context.facts->devModes[source].sectionTitle = title;
}

// "Same as" the first earlier source holding an equal record, otherwise the record's listing.
void ShowRecord(ReportContext& context, const Slots& slots, Source source)
{
    for (std::size_t earlier = 0; earlier < source; ++earlier) {
        if (DevModesEqual(context.spooler, slots[source].get(), slots[earlier].get())) {
            context.writer.AddLine(std::string("Same as ") + SourceNames[earlier]);
            if (context.facts != nullptr)
                context.facts->devModes[source].sameAs = earlier;
            return;
        }
    }
    AddDevModeItems(context.writer, slots[source].get());
}

using DevModeOfRecord = const DEVMODEA* (*)(const SpoolerBuffer&);

template <class Record>
const DEVMODEA* DevModeOf(const SpoolerBuffer& buffer)
{
    return buffer.RecordAtStart<Record>().pDevMode;
}

struct LevelSource {
    Source source;
    DWORD level;
    const char* title;
    DevModeOfRecord devMode;
};

constexpr LevelSource LevelSources[] = {
    {Default, 2, "Default DEVMODE (PRINTER_INFO_2)", DevModeOf<PRINTER_INFO_2A>},
    {UserDefault, 8, "User default DEVMODE (PRINTER_INFO_8 [2000])", DevModeOf<PRINTER_INFO_8A>},
    {GlobalDefault, 9, "Global default DEVMODE (PRINTER_INFO_9 [2000])", DevModeOf<PRINTER_INFO_9A>},
};

void WriteLevelSection(ReportContext& context, Slots& slots, const LevelSource& source)
{
    KeepTitle(context, source.source, source.title);
    WriteRecordSection(context, source.title, QueryPrinterInfo, source.level, [&](const SpoolerBuffer& buffer) {
        const DEVMODEA* record = source.devMode(buffer);
        slots[source.source] = CopyDevMode(record, record != nullptr ? buffer.BytesFrom(record) : 0);
        ShowRecord(context, slots, source.source);
    });
}

void WriteDocumentPropertiesSection(ReportContext& context, Slots& slots)
{
    constexpr char Title[] = "DEVMODE (DocumentProperties)";
    ReportWriter& writer = context.writer;
    writer.AddSectionTitle(Title);
    KeepTitle(context, DocumentProperties, Title);
    const char* device = context.deviceName.c_str();
    const std::int32_t size = context.spooler.DocumentPropertiesA(context.printer, device, nullptr, 0, nullptr, 0);
    if (context.facts != nullptr)
        context.facts->documentPropertiesSize = size;
    if (size < 0) {
        writer.AddNotSupported();
        return;
    }
    // The driver writes its whole record without looking at the buffer: exactly the size it asked for.
    SpoolerBuffer buffer(static_cast<std::size_t>(size));
    if (context.spooler.DocumentPropertiesA(context.printer, device, reinterpret_cast<DEVMODEA*>(buffer.Data()),
                                            buffer.Size(), nullptr, DM_OUT_BUFFER) < 0) {
        writer.AddNotSupported();
        return;
    }
    Guarded(writer, [&] {
        slots[DocumentProperties] = DevModeOfBuffer(buffer.Data(), buffer.Size());
        ShowRecord(context, slots, DocumentProperties);
    });
}

void WriteCurrentSection(ReportContext& context, Slots& slots)
{
    // A printer object without a printer stands on none, not on one whose name is empty. The name
    // alone decides; the printer's device mode is asked for only when the section is shown.
    const std::string currentName = context.spooler.GetCurrentPrinterName();
    if (currentName.empty() || currentName != context.deviceName)
        return;
    const CurrentPrinter current = context.spooler.GetCurrentPrinter();
    constexpr char Title[] = "Current DEVMODE (TPrinter)";
    ReportWriter& writer = context.writer;
    writer.AddSectionTitle(Title);
    KeepTitle(context, Current, Title);
    Guarded(writer, [&] {
        {
            LockedDevMode locked(context.spooler, current.devMode);
            slots[Current] = CopyDevMode(locked.Memory(), locked.Size());
            locked.Unlock();
        }
        ShowRecord(context, slots, Current);
    });
}

}  // namespace

void WriteDevModeSections(ReportContext& context)
{
    Slots slots;
    for (const LevelSource& source : LevelSources)
        WriteLevelSection(context, slots, source);
    Guarded(context.writer, [&] { WriteDocumentPropertiesSection(context, slots); });
    Guarded(context.writer, [&] { WriteCurrentSection(context, slots); });
    if (context.facts != nullptr)
        for (std::size_t source = 0; source < SourceCount; ++source)
            context.facts->devModes[source].record = std::move(slots[source]);
}

}  // namespace ostrel
