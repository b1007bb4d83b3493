// Owner of a global memory block (GlobalAlloc), the form device modes and names travel in.
#pragma once

#include "platform/unique_handle.h"

#include <windows.h>

namespace ostrel {

inline void ReleaseGlobalMemory(HGLOBAL block)
{
    GlobalFree(block);
}
using UniqueGlobalMemory = Unique<HGLOBAL, ReleaseGlobalMemory>;

}  // namespace ostrel
