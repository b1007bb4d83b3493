#include "report/capability_query.h"

#include "platform/capability_layouts.h"
#include "platform/data_fault.h"

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace ostrel {

namespace {

constexpr std::uint64_t SpareEntries = 8;

}  // namespace

const BYTE* CapabilityArray::Entry(std::int32_t index) const
{
    if (index < 0 || index >= count_)
        throw DataFault("entry missing from a companion array");
    return bytes_.data() + static_cast<std::size_t>(index) * elementSize_;
}

std::int32_t CapabilityQuery::Value(WORD capability)
{
    return spooler_.DeviceCapabilitiesA(device_, port_, capability, nullptr, 0);
}

CapabilityArray CapabilityQuery::Array(WORD capability)
{
    const CapabilityLayout* layout = CapabilityByIndex(capability);
    if (layout == nullptr || layout->kind == EntryKind::None)
        throw std::invalid_argument("capability " + std::to_string(capability) + " answers no array");
    const std::size_t elementSize = layout->entrySize;
    const std::int32_t count = Value(capability);
    if (count == NotSupportedAnswer)
        return CapabilityArray(count, elementSize, {});
    if (count < 0)
        throw DataFault("negative entry count");

    // Buffer sizes are 32-bit on the platform; a count that does not fit is the driver's garbage.
    const std::uint64_t bytes = (static_cast<std::uint64_t>(count) + SpareEntries) * elementSize;
    if (bytes > std::numeric_limits<std::uint32_t>::max() || bytes > std::numeric_limits<std::size_t>::max())
        throw DataFault("entry count too large");
    std::vector<BYTE> buffer(static_cast<std::size_t>(bytes), 0);
    const std::int32_t filled = spooler_.DeviceCapabilitiesA(device_, port_, capability, buffer.data(), buffer.size());
    if (filled > count)
        throw DataFault("driver wrote more entries than it counted");
    return CapabilityArray(count, elementSize, std::move(buffer));
}

}  // namespace ostrel
