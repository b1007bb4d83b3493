#include "tests/ui/process_counters.h"

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace ostrel::uitest {

namespace {

// Where the PEB keeps the address of the process's GDI handle table.
constexpr std::size_t GdiTableOffsetInPeb = sizeof(void*) == 8 ? 0xF8 : 0x94;

// One entry of Wine's GDI handle table: the same 24 bytes in 32- and 64-bit processes. The low
// seven bits of the type are the kind of object; 0 is a free entry.
struct GdiTableEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t type;
    std::uint16_t unused;
    std::uint64_t userData;
};
static_assert(sizeof(GdiTableEntry) == 24);
constexpr std::size_t GdiTableEntries = 0x10000;
constexpr unsigned GdiKindMask = 0x7F;

struct GdiKind {
    int kind;
    const char* name;
};
// Names of the kinds found in Ostrel's table: brushes and bitmaps told apart by making them (an
// icon holds two bitmaps), the others by what the program and the system hold of them.
constexpr GdiKind GdiKinds[] = {
    {0x01, "DC"},      {0x04, "region"}, {0x08, "palette"}, {0x09, "bitmap"},
    {0x0A, "font"},    {0x10, "brush"},  {0x30, "pen"},
};

std::string KindName(int kind) {
    for (const GdiKind& known : GdiKinds) {
        if (known.kind == kind) return known.name;
    }
    char name[16];
    std::snprintf(name, sizeof name, "kind 0x%02x", kind);
    return name;
}

using QueryInformationProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
using QueryInformationThread = NTSTATUS(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);

template <typename Function>
Function NtdllFunction(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

template <typename Value>
bool ReadRemote(HANDLE process, std::uint64_t address, Value& value) {
    SIZE_T read = 0;
    return address != 0 && static_cast<std::uintptr_t>(address) == address &&
           ReadProcessMemory(process, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(address)), &value,
                             sizeof value, &read) &&
           read == sizeof value;
}

// A 32-bit process of a 64-bit Wine keeps the table's address in its 64-bit PEB only, which the
// 64-bit side of the system sets up; the 32-bit PEB's field stays empty. That PEB is found through
// a thread: the 32-bit TEB's GdiBatchCount holds the 64-bit TEB, whose Peb field is the 64-bit PEB.
std::uint64_t GdiTableOfWow64Process(HANDLE process, DWORD processId) {
    constexpr std::uint64_t Teb64InTeb32 = 0xF70, PebInTeb64 = 0x60, GdiTableInPeb64 = 0xF8;
    struct ThreadBasicInformation {
        NTSTATUS exitStatus;
        void* tebBaseAddress;
        CLIENT_ID clientId;
        ULONG_PTR affinityMask;
        LONG priority;
        LONG basePriority;
    };
    const auto query = NtdllFunction<QueryInformationThread>("NtQueryInformationThread");
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (!query || snapshot == INVALID_HANDLE_VALUE) return 0;
    std::uint64_t table = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more && !table; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        const HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        if (!thread) continue;
        ThreadBasicInformation basic{};
        std::uint32_t teb64 = 0;
        std::uint64_t peb64 = 0;
        if (query(thread, 0 /* ThreadBasicInformation */, &basic, sizeof basic, nullptr) == 0 &&
            ReadRemote(process, reinterpret_cast<std::uintptr_t>(basic.tebBaseAddress) + Teb64InTeb32, teb64) &&
            ReadRemote(process, teb64 + PebInTeb64, peb64)) {
            ReadRemote(process, peb64 + GdiTableInPeb64, table);
        }
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return table;
}

void CountGdiTable(HANDLE process, DWORD processId, ResourceCounts& counts) {
    const auto query = NtdllFunction<QueryInformationProcess>("NtQueryInformationProcess");
    PROCESS_BASIC_INFORMATION basic{};
    ULONG size = 0;
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, &size) != 0) return;
    std::uintptr_t table = 0;
    std::string source = "entries in use of the process's GDI handle table (PEB GdiSharedHandleTable)";
    ReadRemote(process, reinterpret_cast<std::uintptr_t>(basic.PebBaseAddress) + GdiTableOffsetInPeb, table);
    if (!table && sizeof(void*) == 4) {
        table = static_cast<std::uintptr_t>(GdiTableOfWow64Process(process, processId));
        source = "entries in use of the process's GDI handle table (the 64-bit PEB's GdiSharedHandleTable, as a "
                 "32-bit process under 64-bit Wine has it)";
    }
    if (!table) return;
    SIZE_T read = 0;
    std::vector<GdiTableEntry> entries(GdiTableEntries);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(), entries.size() * sizeof(GdiTableEntry), &read) ||
        read != entries.size() * sizeof(GdiTableEntry)) {
        return;
    }
    long used = 0;
    for (const GdiTableEntry& entry : entries) {
        const int kind = static_cast<int>(entry.type & GdiKindMask);
        if (kind == 0) continue;
        ++used;
        ++counts.gdiByKind[kind];
    }
    counts.gdiObjects = used;
    counts.gdiSource = source;
}

struct WindowCount {
    DWORD processId;
    long windows;
};

BOOL CALLBACK CountDescendant(HWND, LPARAM parameter) {
    ++reinterpret_cast<WindowCount*>(parameter)->windows;
    return TRUE;
}

void CountWindowAndDescendants(HWND window, WindowCount& count) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != count.processId) return;
    ++count.windows;
    EnumChildWindows(window, CountDescendant, reinterpret_cast<LPARAM>(&count));
}

// Enumeration callbacks are stdcall in the 32-bit build, which lambdas cannot be.
BOOL CALLBACK CountTopLevel(HWND window, LPARAM parameter) {
    CountWindowAndDescendants(window, *reinterpret_cast<WindowCount*>(parameter));
    return TRUE;
}

long ProcessWindows(DWORD processId) {
    WindowCount count{processId, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
    // Message-only windows are not top-level windows: EnumWindows does not list them.
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        CountWindowAndDescendants(window, count);
    }
    return count.windows;
}

long long CommittedPrivateMemory(HANDLE process) {
    long long total = 0;
    MEMORY_BASIC_INFORMATION region{};
    const char* address = nullptr;
    while (VirtualQueryEx(process, address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += static_cast<long long>(region.RegionSize);
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address) break;
        address = next;
    }
    return total;
}

}  // namespace

std::string ResourceCounts::Describe() const {
    std::string text = "GDI " + std::to_string(gdiObjects);
    if (!gdiByKind.empty()) {
        const char* separator = " (";
        for (const auto& [kind, count] : gdiByKind) {
            text += separator + KindName(kind) + " " + std::to_string(count);
            separator = ", ";
        }
        text += ")";
    }
    return text + ", USER " + std::to_string(userObjects) + ", private " + std::to_string(privateBytes) + " bytes";
}

ResourceCounts CountResources(HANDLE process, DWORD processId) {
    ResourceCounts counts;
    if (const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS)) {
        counts.gdiObjects = static_cast<long>(gdi);
        counts.gdiSource = "GetGuiResources";
    } else {
        CountGdiTable(process, processId, counts);
    }
    if (const DWORD user = GetGuiResources(process, GR_USEROBJECTS)) {
        counts.userObjects = static_cast<long>(user);
        counts.userSource = "GetGuiResources";
    } else {
        counts.userObjects = ProcessWindows(processId);
        counts.userSource = "the process's windows (top-level, child and message-only; GetGuiResources answers 0)";
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory) &&
        memory.PrivateUsage != 0) {
        counts.privateBytes = static_cast<long long>(memory.PrivateUsage);
        counts.privateSource = "GetProcessMemoryInfo PrivateUsage";
    } else {
        counts.privateBytes = CommittedPrivateMemory(process);
        counts.privateSource = "committed private regions (VirtualQueryEx; PrivateUsage answers 0)";
    }
    return counts;
}

}  // namespace ostrel::uitest
