// The device mode's fields in record order: where each lies, whether dmSize must cover it, and
// how the listing shows it. The listing and the comparison both walk this one table.
#pragma once

#include "names/name_tables.h"
#include "platform/win_records.h"

#include <cstddef>
#include <span>

namespace ostrel {

enum class DevModeForm {
    Text,          // AddItemString of the text up to its first zero, never beyond the field
    Word,          // AddItemWord with unit
    Short,         // AddItemShort with unit
    Long,          // AddItemLong with unit
    Enum,          // AddItemEnum through table
    Flags,         // AddItemFlags through table
    PrintQuality,  // negative: AddItemEnum through table; otherwise AddItemShort with unit
};

struct DevModeField {
    const char* label;        // when listed with its value
    const char* absentLabel;  // when dmSize does not cover the field; null for the fixed part, always read
    std::size_t offset;
    std::size_t width;        // bytes
    bool isSigned;            // 16-bit values widened with their sign before a 32-bit primitive gets them
    DevModeForm form;
    const char* unit;
    const NameEntry* table;
};

std::span<const DevModeField> DevModeFieldTable();

constexpr std::size_t DevModeSizeOffset = offsetof(DEVMODEA, dmSize);
constexpr std::size_t DevModeDriverExtraOffset = offsetof(DEVMODEA, dmDriverExtra);
// Fewer bytes than this do not even say how long the record is.
constexpr std::size_t DevModeSizeFieldsEnd = DevModeDriverExtraOffset + sizeof(WORD);

}  // namespace ostrel
