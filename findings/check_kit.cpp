#include "findings/check_kit.h"

#include "platform/spooler_buffer.h"

#include <cstring>
#include <stdexcept>

namespace ostrel {

namespace {

constexpr const char* SourceNames[DevModeSourceCount] = {"Default", "User default", "Global default",
                                                         "DocumentProperties", "Current"};

}  // namespace

const DevModeField& DevModeFieldAt(std::size_t offset)
{
    for (const DevModeField& field : DevModeFieldTable())
        if (field.offset == offset)
            return field;
    throw std::logic_error("no device-mode field at offset " + std::to_string(offset));
}

std::optional<std::int32_t> NumberOf(const DevModeRecord& record, const DevModeField& field)
{
    const std::span<const BYTE> bytes = record.HeldBytes(field.offset, field.width);
    if (bytes.size() != field.width || !record.Holds(field))
        return std::nullopt;
    if (field.width == sizeof(DWORD))
        return static_cast<std::int32_t>(ReadUnaligned<DWORD>(bytes.data()));
    const auto value = ReadUnaligned<WORD>(bytes.data());
    return field.isSigned ? std::int32_t{static_cast<short>(value)} : std::int32_t{value};
}

bool Claims(const DevModeRecord& record, std::uint32_t bit)
{
    const std::optional<std::int32_t> fields = NumberOf(record, DevModeFieldAt(offsetof(DEVMODEA, dmFields)));
    return fields && (static_cast<std::uint32_t>(*fields) & bit) != 0;
}

std::optional<std::int32_t> ClaimedNumber(const DevModeRecord& record, std::uint32_t bit, const DevModeField& field)
{
    return Claims(record, bit) ? NumberOf(record, field) : std::nullopt;
}

std::string Named(std::int32_t value, const NameEntry* table)
{
    const char* name = table != nullptr ? LookupName(value, table) : nullptr;
    return name != nullptr ? std::string(name) + " (" + std::to_string(value) + ")" : std::to_string(value);
}

std::string ValueText(const DevModeRecord& record, const DevModeField& field)
{
    if (field.form == DevModeForm::Text) {
        const std::span<const BYTE> bytes = record.HeldBytes(field.offset, field.width);
        const auto* text = reinterpret_cast<const char*>(bytes.data());
        return std::string("\"").append(text, strnlen(text, bytes.size())) + "\"";
    }
    const std::optional<std::int32_t> value = NumberOf(record, field);
    if (!value)
        return "(not held)";
    switch (field.form) {
    case DevModeForm::Enum:
    case DevModeForm::Flags:
        return Named(*value, field.table);
    case DevModeForm::PrintQuality:
        return *value < 0 ? Named(*value, field.table) : std::to_string(*value) + " " + field.unit;
    default:
        return *field.unit != '\0' ? std::to_string(*value) + " " + field.unit : std::to_string(*value);
    }
}

std::string SourceText(std::size_t source)
{
    return std::string(SourceNames[source]) + " device mode";
}

std::optional<std::int32_t> ArrayNumber(const CapabilityArray& array, std::int32_t index)
{
    if (index < 0 || index >= array.Count())
        return std::nullopt;
    const BYTE* entry = array.Entry(index);
    if (array.EntrySize() == sizeof(WORD))
        return std::int32_t{ReadUnaligned<WORD>(entry)};
    return static_cast<std::int32_t>(ReadUnaligned<DWORD>(entry));
}

bool ArrayHolds(const CapabilityArray* array, std::int32_t value)
{
    for (std::int32_t i = 0; array != nullptr && i < array->Count(); ++i)
        if (ArrayNumber(*array, i) == value)
            return true;
    return false;
}

std::string ArrayList(const CapabilityArray& array, const NameEntry* table, std::size_t limit)
{
    if (array.Count() <= 0)
        return "none";
    std::string list;
    for (std::int32_t i = 0; i < array.Count(); ++i) {
        if (static_cast<std::size_t>(i) == limit)
            return list + ", ... (" + std::to_string(array.Count()) + " in all)";
        list += i == 0 ? "" : ", ";
        list += Named(*ArrayNumber(array, i), table);
    }
    return list;
}

}  // namespace ostrel
