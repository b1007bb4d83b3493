// File names that Windows takes for devices, whatever folder and extension they come with.
#pragma once

#include <string_view>

namespace ostrel {

// Whether the last component of path names a device: CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to
// LPT9, in any letter case, alone or followed by an extension or by blanks ("con.txt", "LPT1 ").
// Writing to such a name reaches the device, not a file.
bool IsReservedDeviceName(std::string_view path);

}  // namespace ostrel
