#include "report/devmode_listing.h"

#include <cstdint>

namespace ostrel {

namespace {

// The value as a 32-bit primitive gets it: 16-bit values widened with their sign when they have one.
std::int32_t Number(const DevModeRecord& record, const DevModeField& field)
{
    if (field.width == sizeof(DWORD))
        return static_cast<std::int32_t>(record.Dword(field.offset));
    const WORD value = record.Word(field.offset);
    return field.isSigned ? std::int32_t{static_cast<short>(value)} : std::int32_t{value};
}

void AddField(ReportWriter& writer, const DevModeRecord& record, const DevModeField& field)
{
    switch (field.form) {
    case DevModeForm::Text:
        writer.AddItemString(field.label, record.Text(field.offset, field.width).c_str(), false);
        break;
    case DevModeForm::Word:
        writer.AddItemWord(field.label, record.Word(field.offset), field.unit);
        break;
    case DevModeForm::Short:
        writer.AddItemShort(field.label, static_cast<short>(record.Word(field.offset)), field.unit);
        break;
    case DevModeForm::Long:
        writer.AddItemLong(field.label, record.Dword(field.offset), field.unit, false);
        break;
    case DevModeForm::Enum:
        writer.AddItemEnum(field.label, Number(record, field), field.table, false);
        break;
    case DevModeForm::Flags:
        writer.AddItemFlags(field.label, Number(record, field), field.table, false);
        break;
    case DevModeForm::PrintQuality: {
        // Negative values are the DMRES_ codes, the others a resolution.
        const std::int32_t value = Number(record, field);
        if (value < 0)
            writer.AddItemEnum(field.label, value, field.table, false);
        else
            writer.AddItemShort(field.label, static_cast<short>(value), field.unit);
        break;
    }
    }
}

}  // namespace

void AddDevModeItems(ReportWriter& writer, const DevModeRecord* record)
{
    if (record == nullptr) {
        writer.AddLine("(null)");
        return;
    }
    for (const DevModeField& field : DevModeFieldTable()) {
        if (record->Holds(field))
            AddField(writer, *record, field);
        else
            writer.AddItem(field.absentLabel, NotSupportedText);
    }
    // The private bytes follow dmSize, wherever that lies, not the end of the published layout.
    const WORD size = record->DmSize();
    const WORD extra = record->DmDriverExtra();
    if (extra != 0)
        writer.AddItemHexDump("Extra", record->Bytes(size, extra).data(), extra, size);
}

}  // namespace ostrel
