#include "report/devmode_record.h"

#include "platform/data_fault.h"

#include <algorithm>
#include <cstring>

namespace ostrel {

std::span<const BYTE> DevModeRecord::Bytes(std::size_t offset, std::size_t length) const
{
    if (offset > bytes_.size() || length > bytes_.size() - offset)
        throw DataFault("device-mode field beyond the end of the record");
    return std::span<const BYTE>(bytes_).subspan(offset, length);
}

WORD DevModeRecord::Word(std::size_t offset) const
{
    WORD value;
    std::memcpy(&value, Bytes(offset, sizeof value).data(), sizeof value);
    return value;
}

DWORD DevModeRecord::Dword(std::size_t offset) const
{
    DWORD value;
    std::memcpy(&value, Bytes(offset, sizeof value).data(), sizeof value);
    return value;
}

std::string DevModeRecord::Text(std::size_t offset, std::size_t length) const
{
    const std::span<const BYTE> field = Bytes(offset, length);
    const auto end = std::find(field.begin(), field.end(), BYTE{0});
    return std::string(field.begin(), end);
}

bool DevModeRecord::Holds(const DevModeField& field) const
{
    return field.absentLabel == nullptr || DmSize() >= field.offset + field.width;
}

std::unique_ptr<DevModeRecord> CopyDevMode(const void* record, std::size_t available)
{
    if (record == nullptr)
        return nullptr;
    const auto* bytes = static_cast<const BYTE*>(record);
    if (available < DevModeSizeFieldsEnd)
        throw DataFault("device mode too short to hold its size");
    WORD size;
    WORD extra;
    std::memcpy(&size, bytes + DevModeSizeOffset, sizeof size);
    std::memcpy(&extra, bytes + DevModeDriverExtraOffset, sizeof extra);
    const std::size_t length = std::size_t{size} + extra;
    if (length > available)
        throw DataFault("device mode larger than the memory it lies in");
    return std::unique_ptr<DevModeRecord>(new DevModeRecord(std::span<const BYTE>(bytes, length)));
}

// The platform compares the two names with lstrcmpA; only whether they are the same matters here,
// so the texts are compared byte for byte, each up to its first zero and within its 32 bytes.
bool DevModesEqual(const DevModeRecord* a, const DevModeRecord* b)
{
    if (a == nullptr || b == nullptr)
        return false;
    // Copies of different lengths differ in dmSize or dmDriverExtra; saying so before reading any
    // field keeps a record too short to hold its name from faulting the comparison of a sound one.
    if (a->Size() != b->Size())
        return false;
    // Record order is the comparison's order: dmSize and dmDriverExtra are known equal before any
    // field that depends on them.
    for (const DevModeField& field : DevModeFieldTable()) {
        if (!a->Holds(field))
            continue;
        const bool same = field.form == DevModeForm::Text
                              ? a->Text(field.offset, field.width) == b->Text(field.offset, field.width)
                              : std::ranges::equal(a->Bytes(field.offset, field.width),
                                                   b->Bytes(field.offset, field.width));
        if (!same)
            return false;
    }
    const WORD size = a->DmSize();
    const WORD extra = a->DmDriverExtra();
    return std::ranges::equal(a->Bytes(size, extra), b->Bytes(size, extra));
}

}  // namespace ostrel
