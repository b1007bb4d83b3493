// The system's own message for an error code, as the user's error boxes show it.
#pragma once

#include <windows.h>

#include <string>

namespace ostrel {

// "Access denied." and the like, in the system code page without the trailing line break;
// "error N" when the system has no text for the code.
std::string SystemErrorText(DWORD error);

}  // namespace ostrel
