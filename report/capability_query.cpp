#include "report/capability_query.h"

#include "platform/capability_layouts.h"
#include "platform/data_fault.h"
#include "platform/spooler_buffer.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

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
        return CapabilityArray(count, count, elementSize, {});
    if (count < 0)
        throw DataFault("negative entry count");

    const std::uint64_t bytes = (static_cast<std::uint64_t>(count) + SpareEntries) * elementSize;
    if (bytes > MaxAnswerBufferSize)
        throw DataFault("entry count too large");
    std::vector<BYTE> buffer(static_cast<std::size_t>(bytes), 0);
    // The filling call's answer is not used: a driver whose list grew between the calls still
    // wrote the counted entries first.
    const std::int32_t filled = spooler_.DeviceCapabilitiesA(device_, port_, capability, buffer.data(), buffer.size());
    return CapabilityArray(count, filled, elementSize, std::move(buffer));
}

}  // namespace ostrel
