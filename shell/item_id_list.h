// Measuring, walking, copying, joining and shortening the shell's item-ID lists, and turning a path
// into one. Every list returned here comes from the active shell's task allocator and belongs to
// the caller, who frees it with that allocator (CoTaskMemFree on Windows). Parameter types stay
// 32-bit wide so that the same functions can be exported with fixed C signatures.
#pragma once

#include <cstdint>

#include "platform/shell_records.h"

namespace ostrel {

// A zero-filled block of size bytes, or null.
ITEMIDLIST* AllocItemIDList(std::uint32_t size);

// The item after item; the terminator gives itself. Null gives null.
const ITEMIDLIST* GetNextItemID(const ITEMIDLIST* item);

// Bytes of the list including its terminator; 0 for null.
std::uint32_t GetItemIDListSize(const ITEMIDLIST* list);

// Items before the terminator; 0 for null.
std::uint32_t GetNumOfItemID(const ITEMIDLIST* list);

// Item n counted from 0; the terminator for any n at or beyond the item count. Null gives null.
const ITEMIDLIST* GetNthItemID(const ITEMIDLIST* list, std::uint32_t n);

// A new copy, or null for null or a failed allocation.
ITEMIDLIST* CopyItemIDList(const ITEMIDLIST* list);

// A new list of first's items followed by second's; a null list counts as the empty list.
ITEMIDLIST* ConcatItemIDList(const ITEMIDLIST* first, const ITEMIDLIST* second);

// A new list without the last item; null when the list has fewer than two items.
ITEMIDLIST* ChopItemIDList(const ITEMIDLIST* list);

// The desktop folder's list for a path in the system code page, or null when it does not parse.
// With rebase non-zero, a path inside the desktop directory gets the list under which the desktop
// itself shows it: the rest of the path directly below the namespace root.
ITEMIDLIST* PathToIDList(const char* path, std::int32_t rebase);

}  // namespace ostrel
