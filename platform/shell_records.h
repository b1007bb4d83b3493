// The shell's item-ID list layout. On Windows it comes from the SDK headers; the native build
// defines the same packed layout itself, so that the item-ID functions read one set of names.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#else
#include <cstdint>

#pragma pack(push, 1)
struct SHITEMID {
    std::uint16_t cb;  // bytes of the item, this count included; 0 ends the list
    std::uint8_t abID[1];
};

struct ITEMIDLIST {
    SHITEMID mkid;
};
#pragma pack(pop)
#endif
