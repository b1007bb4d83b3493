// Texts that a driver's records point to in its own memory, outside any buffer the caller gave:
// read only as far as the memory behind them can be read.
#pragma once

#include "platform/spooler.h"

#include <optional>
#include <string>

namespace ostrel {

// The zero-terminated text at text (not null); nothing when it leads into memory that cannot be read.
std::optional<std::string> ReadDriverText(Spooler& spooler, const char* text);

}  // namespace ostrel
