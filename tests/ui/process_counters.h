// What another process holds of the window system and of memory, counted from outside with
// whatever the system lets another process count.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace ostrel::uitest {

struct ResourceCounts {
    // -1 where nothing could count them.
    long gdiObjects = -1;
    long userObjects = -1;
    long long privateBytes = -1;
    // Where each figure came from, for the test's output.
    std::string gdiSource;
    std::string userSource;
    std::string privateSource;
    // GDI objects by kind, where they were counted from the handle table (empty otherwise).
    std::map<int, long> gdiByKind;

    // "GDI 123, USER 45, private 12345678 bytes", with the kinds of GDI objects where known.
    std::string Describe() const;
};

// GDI and USER objects: GetGuiResources where it answers (Windows). Wine's is a stub that answers
// 0 with ERROR_CALL_NOT_IMPLEMENTED; there GDI objects are the entries in use of the process's GDI
// handle table (its PEB's GdiSharedHandleTable), and USER objects the process's windows, top-level,
// child and message-only. Private bytes: PROCESS_MEMORY_COUNTERS_EX.PrivateUsage where the system
// fills it (Windows); Wine leaves it 0, and there they are the process's committed private memory,
// region by region (VirtualQueryEx).
ResourceCounts CountResources(HANDLE process, DWORD processId);

}  // namespace ostrel::uitest
