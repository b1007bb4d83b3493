// The functions Ostrel.exe exports for other programs, under undecorated names (ostrel.def lists
// them and alone decides what is exported): the nine item-ID list functions with the standard
// calling convention, and the two error-text functions with the C convention, whose text the
// caller releases with LocalFree.
#include "names/error_text.h"
#include "platform/win32/win32_spooler.h"
#include "shell/item_id_list.h"

#include <windows.h>

#include <cstdint>

extern "C" {

ITEMIDLIST* __stdcall AllocItemIDList(std::uint32_t size)
{
    return ostrel::AllocItemIDList(size);
}

const ITEMIDLIST* __stdcall GetNextItemID(const ITEMIDLIST* item)
{
    return ostrel::GetNextItemID(item);
}

std::uint32_t __stdcall GetItemIDListSize(const ITEMIDLIST* list)
{
    return ostrel::GetItemIDListSize(list);
}

std::uint32_t __stdcall GetNumOfItemID(const ITEMIDLIST* list)
{
    return ostrel::GetNumOfItemID(list);
}

const ITEMIDLIST* __stdcall GetNthItemID(const ITEMIDLIST* list, std::uint32_t n)
{
    return ostrel::GetNthItemID(list, n);
}

ITEMIDLIST* __stdcall CopyItemIDList(const ITEMIDLIST* list)
{
    return ostrel::CopyItemIDList(list);
}

ITEMIDLIST* __stdcall ConcatItemIDList(const ITEMIDLIST* first, const ITEMIDLIST* second)
{
    return ostrel::ConcatItemIDList(first, second);
}

ITEMIDLIST* __stdcall ChopItemIDList(const ITEMIDLIST* list)
{
    return ostrel::ChopItemIDList(list);
}

ITEMIDLIST* __stdcall PathToIDList(const char* path, std::int32_t rebase)
{
    return ostrel::PathToIDList(path, rebase);
}

char* __cdecl GetErrorString(DWORD code)
{
    ostrel::Win32Spooler system;
    return ostrel::GetErrorString(system, code).release();
}

char* __cdecl GetLastErrorString()
{
    // Read before anything else can set the thread's last error.
    const DWORD code = ::GetLastError();
    ostrel::Win32Spooler system;
    return ostrel::GetErrorString(system, code).release();
}

}  // extern "C"
