// Conversions the report takes from the system: file times into calendar fields, and wide text
// into the ANSI code page.
#pragma once

#include "platform/win_records.h"

#include <cstddef>
#include <string>

namespace ostrel {

// False for times the system cannot convert (2^63 and above).
bool FileTimeToSystemTime(const FILETIME& time, SYSTEMTIME& fields);

// Up to length UTF-16 units, ending at the first zero unit, in the ANSI code page codePage (the
// spooler's: the native build's is that of the description file).
std::string WideToAnsi(const WORD* text, std::size_t length, DWORD codePage);

}  // namespace ostrel
