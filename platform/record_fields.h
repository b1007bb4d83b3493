// The fields of the spooler's printer and driver records, as data: where each lies and what it
// holds. The portable spooler lays records out from it and the snapshot reads them back with it.
#pragma once

#include "platform/win_records.h"

#include <cstddef>
#include <span>

namespace ostrel {

enum class FieldKind {
    Dword,      // 32-bit number
    Qword,      // 64-bit number
    FileTime,   // FILETIME
    Text,       // pointer to a zero-terminated text
    MultiText,  // pointer to zero-terminated texts ended by an empty one
    DevMode,    // pointer to a DEVMODEA
    Pointer,    // pointer to data the report does not read (security descriptor)
};

struct RecordField {
    const char* name;
    std::size_t offset;
    FieldKind kind;
};

struct RecordLayout {
    DWORD level;
    std::size_t size;
    std::span<const RecordField> fields;
};

// Null when the level has no layout here.
const RecordLayout* PrinterInfoLayout(DWORD level);
const RecordLayout* DriverInfoLayout(DWORD level);

}  // namespace ostrel
