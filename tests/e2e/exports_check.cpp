// Loads Ostrel.exe as a library, as another program would, takes its eleven exports by their plain
// names and calls each. Prints "N passed, N failed"; exit status 1 on a failure.
//   exports_check PATH\TO\Ostrel.exe
// The system maps an .exe that LoadLibrary loads without binding its imports (as with
// DONT_RESOLVE_DLL_REFERENCES), and Wine also leaves it unrelocated when it lands away from its
// preferred base; a caller finishes the loader's work before calling in: Relocate, BindImports.
#include "tests/common/tally.h"

#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

ostrel::testing::Tally tally;

void Check(bool ok, const std::string& what)
{
    tally.Check(ok, what);
}

using List = void*;
using AllocFn = List(__stdcall*)(unsigned);
using NextFn = List(__stdcall*)(List);
using SizeFn = unsigned(__stdcall*)(List);
using NthFn = List(__stdcall*)(List, unsigned);
using CopyFn = List(__stdcall*)(List);
using ConcatFn = List(__stdcall*)(List, List);
using PathFn = List(__stdcall*)(const char*, int);
using ErrorFn = char*(__cdecl*)(DWORD);
using LastErrorFn = char*(__cdecl*)();

void WriteMapped(void* at, const void* value, std::size_t size)
{
    DWORD protection = 0;
    VirtualProtect(at, size, PAGE_READWRITE, &protection);
    std::memcpy(at, value, size);
    VirtualProtect(at, size, protection, &protection);
}

IMAGE_NT_HEADERS* Headers(BYTE* base)
{
    return reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
}

// Applies the base relocations when the module lies elsewhere than its headers say (and records
// the new base, so that a second call changes nothing).
void Relocate(HMODULE module)
{
    auto* base = reinterpret_cast<BYTE*>(module);
    IMAGE_NT_HEADERS* nt = Headers(base);
    const ULONG_PTR delta = reinterpret_cast<ULONG_PTR>(base) - static_cast<ULONG_PTR>(nt->OptionalHeader.ImageBase);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC];
    if (delta == 0 || directory.VirtualAddress == 0)
        return;
    for (DWORD offset = 0; offset < directory.Size;) {
        const auto* block = reinterpret_cast<const IMAGE_BASE_RELOCATION*>(base + directory.VirtualAddress + offset);
        if (block->SizeOfBlock == 0)
            break;
        const auto* entries = reinterpret_cast<const WORD*>(block + 1);
        const std::size_t count = (block->SizeOfBlock - sizeof *block) / sizeof(WORD);
        for (std::size_t i = 0; i < count; ++i) {
            BYTE* at = base + block->VirtualAddress + (entries[i] & 0x0FFF);
            if ((entries[i] >> 12) == IMAGE_REL_BASED_DIR64) {
                ULONGLONG value;
                std::memcpy(&value, at, sizeof value);
                value += delta;
                WriteMapped(at, &value, sizeof value);
            } else if ((entries[i] >> 12) == IMAGE_REL_BASED_HIGHLOW) {
                DWORD value;
                std::memcpy(&value, at, sizeof value);
                value += static_cast<DWORD>(delta);
                WriteMapped(at, &value, sizeof value);
            }
        }
        offset += block->SizeOfBlock;
    }
    const auto newBase = static_cast<decltype(nt->OptionalHeader.ImageBase)>(reinterpret_cast<ULONG_PTR>(base));
    WriteMapped(&nt->OptionalHeader.ImageBase, &newBase, sizeof newBase);
}

// Fills the module's import address table from the DLLs it names, as the loader does for a DLL.
bool BindImports(HMODULE module)
{
    auto* base = reinterpret_cast<BYTE*>(module);
    const IMAGE_DATA_DIRECTORY& directory = Headers(base)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0)
        return true;
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         entry->Name != 0; ++entry) {
        const HMODULE dll = LoadLibraryA(reinterpret_cast<const char*>(base + entry->Name));
        if (dll == nullptr)
            return false;
        auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(
            base + (entry->OriginalFirstThunk != 0 ? entry->OriginalFirstThunk : entry->FirstThunk));
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            const char* name = IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)
                                   ? reinterpret_cast<const char*>(IMAGE_ORDINAL(names->u1.Ordinal))
                                   : reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
            const FARPROC address = GetProcAddress(dll, name);
            if (address == nullptr)
                return false;
            const auto value = reinterpret_cast<decltype(slots->u1.Function)>(address);
            WriteMapped(&slots->u1.Function, &value, sizeof value);
        }
    }
    return true;
}

template <typename Function>
Function Export(HMODULE program, const char* name)
{
    const FARPROC address = GetProcAddress(program, name);
    Check(address != nullptr, std::string("export ") + name + " is present under its plain name");
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

std::string Taken(char* text)
{
    const std::string copy = text != nullptr ? text : "(null)";
    LocalFree(text);
    return copy;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::printf("usage: exports_check OSTREL_EXE\n");
        return 2;
    }
    CoInitialize(nullptr);
    const HMODULE program = LoadLibraryA(argv[1]);
    if (program == nullptr) {
        const DWORD error = GetLastError();
        Check(false, std::string("cannot load ") + argv[1] + " (error " + std::to_string(error) + ")");
        std::printf("%s\n", tally.Summary().c_str());
        return 1;
    }
    Relocate(program);
    Check(BindImports(program), "the program's imports bind");
    const auto alloc = Export<AllocFn>(program, "AllocItemIDList");
    const auto next = Export<NextFn>(program, "GetNextItemID");
    const auto size = Export<SizeFn>(program, "GetItemIDListSize");
    const auto count = Export<SizeFn>(program, "GetNumOfItemID");
    const auto nth = Export<NthFn>(program, "GetNthItemID");
    const auto copy = Export<CopyFn>(program, "CopyItemIDList");
    const auto concat = Export<ConcatFn>(program, "ConcatItemIDList");
    const auto chop = Export<CopyFn>(program, "ChopItemIDList");
    const auto path = Export<PathFn>(program, "PathToIDList");
    const auto errorText = Export<ErrorFn>(program, "GetErrorString");
    const auto lastErrorText = Export<LastErrorFn>(program, "GetLastErrorString");
    if (tally.Failed() != 0) {
        std::printf("%s\n", tally.Summary().c_str());
        return 1;
    }

    // Two items of 4 and 3 bytes, then the terminator.
    const unsigned char twoItems[] = {4, 0, 'a', 'b', 3, 0, 'c', 0, 0};
    List list = alloc(sizeof twoItems);
    Check(list != nullptr && std::memcmp(list, "\0\0\0\0\0\0\0\0\0", sizeof twoItems) == 0,
          "AllocItemIDList gives a zero-filled block");
    std::memcpy(list, twoItems, sizeof twoItems);
    auto* bytes = static_cast<unsigned char*>(list);
    Check(next(list) == bytes + 4, "GetNextItemID steps over the first item");
    Check(size(list) == 9 && size(nullptr) == 0, "GetItemIDListSize counts the terminator; null gives 0");
    Check(count(list) == 2 && count(nullptr) == 0, "GetNumOfItemID");
    Check(nth(list, 1) == bytes + 4 && nth(list, 7) == bytes + 7, "GetNthItemID; past the end gives the terminator");
    List copied = copy(list);
    Check(copied != nullptr && copied != list && std::memcmp(copied, twoItems, sizeof twoItems) == 0, "CopyItemIDList");
    List joined = concat(list, list);
    Check(joined != nullptr && size(joined) == 16 && count(joined) == 4, "ConcatItemIDList");
    List chopped = chop(list);
    Check(chopped != nullptr && size(chopped) == 6 && count(chopped) == 1, "ChopItemIDList drops the last item");
    Check(chop(chopped) == nullptr, "ChopItemIDList of one item gives null");
    CoTaskMemFree(chopped);
    CoTaskMemFree(joined);
    CoTaskMemFree(copied);
    CoTaskMemFree(list);

    List windows = path("C:\\windows", 0);
    Check(windows != nullptr && count(windows) >= 2, "PathToIDList parses a folder");
    CoTaskMemFree(windows);
    Check(path("C:\\no-such-folder-42\\no-such-file.txt", 0) == nullptr, "PathToIDList of a text that does not parse gives null");

    const std::string invalidName = Taken(errorText(ERROR_INVALID_PRINTER_NAME));
    Check(invalidName != "(null)" && invalidName.find('\n') == std::string::npos,
          "GetErrorString gives the system text on one line: " + invalidName);
    Check(Taken(errorText(0x2FFFFFFF)) == "(null)", "GetErrorString of a code without text gives null");
    SetLastError(ERROR_INVALID_PRINTER_NAME);
    Check(Taken(lastErrorText()) == invalidName, "GetLastErrorString reads the thread's last error");

    std::printf("%s\n", tally.Summary().c_str());
    return tally.Failed() == 0 ? 0 : 1;
}
