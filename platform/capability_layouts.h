// The device-capability indexes by name, and how the driver lays out the entries of the arrays it
// returns: what the capability section reads and a description file records.
#pragma once

#include "platform/spooler.h"
#include "platform/win_records.h"

#include <cstddef>

namespace ostrel {

enum class EntryKind {
    None,      // a single value, no array
    Word,      // unsigned 16-bit number
    Dword,     // unsigned 32-bit number
    Pair,      // two signed 32-bit numbers
    Name,      // NUL-padded text of a fixed width
    WideName,  // NUL-padded UTF-16 text of a fixed width
    DocInfo,   // DOCINFOA with its texts in the driver's memory
};

struct CapabilityLayout {
    WORD index;
    const char* name;
    EntryKind kind;
    std::size_t entrySize;
};

// Null for an index outside 1 to 35 or a name that is none of them.
const CapabilityLayout* CapabilityByIndex(WORD index);
const CapabilityLayout* CapabilityByName(const char* name);

// Where the last two fields of a produced-data-type record end in the layout the driver answered
// in: the record's cbSize says which of them it filled.
struct DocInfoEnds {
    int dataType;  // lpszDatatype
    int type;      // fwType
};
DocInfoEnds DocInfoEndsIn(WindowsLayout layout);

}  // namespace ostrel
