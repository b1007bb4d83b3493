// The system's message text for an error code.
#pragma once

#include "platform/spooler.h"

namespace ostrel {

// Null when the system has no text for the code.
LocalText GetErrorString(Spooler& system, DWORD code);
LocalText GetLastErrorString(Spooler& system);

}  // namespace ostrel
