// A failed print job explained to the user: the printer, the step, what the spooler reports of
// the printer and the job, and the system's reason.
#pragma once

#include "desktop/user_messages.h"

#include <windows.h>

#include <string>

namespace ostrel {

// Throws the message as the error box shows it. error is the system's error code of the step (0:
// none given); jobId the spooler's job, 0 before there is one.
[[noreturn]] void ThrowPrintFailure(const std::string& printerName, PrintStep step, DWORD error, int jobId);

}  // namespace ostrel
