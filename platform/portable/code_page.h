// Text given on a Linux command line is UTF-8; a capture keeps its names as the bytes of the
// code page of the system it was taken on. This spells the one in the other.
#pragma once

#include "platform/win_records.h"

#include <optional>
#include <string>

namespace ostrel {

// The bytes that spell a UTF-8 text in a code page; nothing when the text is not UTF-8, holds a
// character the code page lacks, or the code page is not one known here (1252 and 28591).
std::optional<std::string> CodePageBytesOfUtf8(const std::string& utf8, DWORD codePage);

}  // namespace ostrel
