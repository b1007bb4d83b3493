// The About box of the Help menu: the program's name, its version and what it is.
#pragma once

#include <windows.h>

namespace ostrel {

// Modal over owner; OK or Escape closes it.
void ShowAboutBox(HWND owner);

}  // namespace ostrel
