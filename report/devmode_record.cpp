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

std::span<const BYTE> DevModeRecord::HeldBytes(std::size_t offset, std::size_t length) const
{
    if (offset >= bytes_.size())
        return {};
    return std::span<const BYTE>(bytes_).subspan(offset, std::min(length, bytes_.size() - offset));
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

std::unique_ptr<DevModeRecord> DevModeOfBuffer(const BYTE* buffer, std::size_t size)
{
    return std::unique_ptr<DevModeRecord>(new DevModeRecord(std::span<const BYTE>(buffer, size)));
}

namespace {

std::string TextOf(std::span<const BYTE> field)
{
    return std::string(field.begin(), std::find(field.begin(), field.end(), BYTE{0}));
}

// The bytes both records hold of one field; a record that holds more of it than the other differs.
bool SameField(Spooler& system, const DevModeRecord& a, const DevModeRecord& b, std::size_t offset,
               std::size_t width, bool text)
{
    const std::span<const BYTE> x = a.HeldBytes(offset, width);
    const std::span<const BYTE> y = b.HeldBytes(offset, width);
    if (x.size() != y.size())
        return false;
    if (text)
        return system.lstrcmpA(TextOf(x).c_str(), TextOf(y).c_str()) == 0;
    return std::ranges::equal(x, y);
}

}  // namespace

bool DevModesEqual(Spooler& system, const DevModeRecord* a, const DevModeRecord* b)
{
    if (a == nullptr || b == nullptr)
        return false;
    // Record order is the comparison's order: dmSize and dmDriverExtra are known equal before any
    // field that depends on them. A record too short to state them has no such fields: its fixed
    // part, compared in the bytes it holds, is all of it.
    const bool sized = a->Size() >= DevModeSizeFieldsEnd;
    for (const DevModeField& field : DevModeFieldTable()) {
        const bool sizeDependent = field.absentLabel != nullptr;
        if (sizeDependent && (!sized || !a->Holds(field)))
            continue;
        if (!SameField(system, *a, *b, field.offset, field.width, field.form == DevModeForm::Text))
            return false;
    }
    if (!sized)
        return true;
    return SameField(system, *a, *b, a->DmSize(), a->DmDriverExtra(), false);
}

}  // namespace ostrel
