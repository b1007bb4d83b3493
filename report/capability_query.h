// The device-capability query with its answers checked: a count the driver gives for an array
// is untrusted until it has been checked against the size any real driver's list can have.
#pragma once

#include "platform/spooler.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace ostrel {

constexpr std::int32_t NotSupportedAnswer = -1;

// One array the driver filled: count entries of elementSize bytes, or no buffer when count is -1.
class CapabilityArray {
public:
    CapabilityArray(std::int32_t count, std::int32_t fillAnswer, std::size_t elementSize, std::vector<BYTE> bytes)
        : count_(count), fillAnswer_(fillAnswer), elementSize_(elementSize), bytes_(std::move(bytes)) {}

    // The counting call's answer: the entries that are listed.
    std::int32_t Count() const { return count_; }
    // What the filling call answered. The report does not use it; a snapshot keeps it.
    std::int32_t FillAnswer() const { return fillAnswer_; }
    std::size_t EntrySize() const { return elementSize_; }
    // Entry index; a companion array that lacks it (answered -1 or fewer entries) is a data fault.
    const BYTE* Entry(std::int32_t index) const;

private:
    std::int32_t count_;
    std::int32_t fillAnswer_;
    std::size_t elementSize_;
    std::vector<BYTE> bytes_;
};

class CapabilityQuery {
public:
    CapabilityQuery(Spooler& spooler, const char* device, const char* port)
        : spooler_(spooler), device_(device), port_(port) {}

    std::int32_t Value(WORD capability);
    // Counts, allocates count entries of the capability's layout (and a margin, since the query has
    // no size argument and a driver whose count grows between the calls would write past an exact
    // buffer), fills. A count below -1 or one whose buffer would pass MaxAnswerBufferSize is a
    // DataFault, raised before anything is allocated.
    CapabilityArray Array(WORD capability);

private:
    Spooler& spooler_;
    const char* device_;
    const char* port_;
};

}  // namespace ostrel
