// A buffer that the spooler or a driver fills. It is zero-filled at the size asked for, and what
// the spooler wrote into it is read only through checks: a record must fit, a text pointer must
// lie inside the buffer and end inside it.
#pragma once

#include "platform/data_fault.h"
#include "platform/win_records.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace ostrel {

// A value the spooler or a driver wrote at an address that need not be aligned for it.
template <class T>
T ReadUnaligned(const BYTE* at)
{
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// The most a query allocates for one record or list whose size a spooler or driver answered: far
// above any real driver's, and far below what a garbage size would take (up to 4 GiB, or 8 GiB of
// report lines for a list).
constexpr std::size_t MaxAnswerBufferSize = std::size_t{64} << 20;

class SpoolerBuffer {
public:
    // size is an answer of the spooler: more than MaxAnswerBufferSize is a DataFault, raised before
    // anything is allocated.
    explicit SpoolerBuffer(std::size_t size) : bytes_(Checked(size), 0) {}

    BYTE* Data() { return bytes_.empty() ? nullptr : bytes_.data(); }
    const BYTE* Data() const { return bytes_.empty() ? nullptr : bytes_.data(); }
    std::size_t Size() const { return bytes_.size(); }

    template <class Record>
    const Record& RecordAtStart() const
    {
        if (bytes_.size() < sizeof(Record))
            throw DataFault("record shorter than its layout");
        return *reinterpret_cast<const Record*>(bytes_.data());
    }

    // A zero-terminated text inside the buffer; null stays null.
    const char* Text(const char* text) const;
    // Zero-terminated texts ended by an empty one, all inside the buffer; null stays null.
    const char* MultiText(const char* text) const;
    // Bytes [address, address + length) inside the buffer.
    const BYTE* Bytes(const void* address, std::size_t length) const;
    // How many bytes of the buffer follow address (address must lie inside the buffer).
    std::size_t BytesFrom(const void* address) const;

private:
    static std::size_t Checked(std::size_t size)
    {
        if (size > MaxAnswerBufferSize)
            throw DataFault("size answered beyond any real record");
        return size;
    }

    std::vector<BYTE> bytes_;
};

}  // namespace ostrel
