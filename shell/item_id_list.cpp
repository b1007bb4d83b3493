#include "shell/item_id_list.h"

#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/shell_namespace.h"

namespace ostrel {

namespace {

constexpr std::uint32_t kTerminatorSize = sizeof(std::uint16_t);

// Items lie at any byte offset, so the count is read bytewise.
std::uint16_t ItemCount(const ITEMIDLIST* item) {
    std::uint16_t count;
    std::memcpy(&count, item, sizeof count);
    return count;
}

const unsigned char* Bytes(const ITEMIDLIST* list) {
    return reinterpret_cast<const unsigned char*>(list);
}

class ListRelease {
public:
    explicit ListRelease(ShellNamespace& shell) : shell_(&shell) {}
    void operator()(ITEMIDLIST* list) const { shell_->Free(list); }

private:
    ShellNamespace* shell_;
};

using OwnedList = std::unique_ptr<ITEMIDLIST, ListRelease>;

OwnedList Own(ShellNamespace& shell, ITEMIDLIST* list) {
    return OwnedList(list, ListRelease(shell));
}

}  // namespace

ITEMIDLIST* AllocItemIDList(std::uint32_t size) {
    ShellNamespace* shell = ActiveShellNamespace();
    if (shell == nullptr) {
        return nullptr;
    }
    void* block = shell->Allocate(size);
    if (block != nullptr) {
        std::memset(block, 0, size);
    }
    return static_cast<ITEMIDLIST*>(block);
}

const ITEMIDLIST* GetNextItemID(const ITEMIDLIST* item) {
    if (item == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<const ITEMIDLIST*>(Bytes(item) + ItemCount(item));
}

std::uint32_t GetItemIDListSize(const ITEMIDLIST* list) {
    if (list == nullptr) {
        return 0;
    }
    std::uint32_t size = kTerminatorSize;
    for (; ItemCount(list) != 0; list = GetNextItemID(list)) {
        size += ItemCount(list);
    }
    return size;
}

std::uint32_t GetNumOfItemID(const ITEMIDLIST* list) {
    if (list == nullptr) {
        return 0;
    }
    std::uint32_t count = 0;
    for (; ItemCount(list) != 0; list = GetNextItemID(list)) {
        ++count;
    }
    return count;
}

const ITEMIDLIST* GetNthItemID(const ITEMIDLIST* list, std::uint32_t n) {
    if (list == nullptr) {
        return nullptr;
    }
    // Stopping at the terminator keeps a huge n from walking it n times.
    for (; n != 0 && ItemCount(list) != 0; --n) {
        list = GetNextItemID(list);
    }
    return list;
}

ITEMIDLIST* CopyItemIDList(const ITEMIDLIST* list) {
    if (list == nullptr) {
        return nullptr;
    }
    const std::uint32_t size = GetItemIDListSize(list);
    ITEMIDLIST* copy = AllocItemIDList(size);
    if (copy != nullptr) {
        std::memcpy(copy, list, size);
    }
    return copy;
}

ITEMIDLIST* ConcatItemIDList(const ITEMIDLIST* first, const ITEMIDLIST* second) {
    const std::uint32_t firstItems = first != nullptr ? GetItemIDListSize(first) - kTerminatorSize : 0;
    const std::uint32_t secondSize = second != nullptr ? GetItemIDListSize(second) : kTerminatorSize;
    ITEMIDLIST* joined = AllocItemIDList(firstItems + secondSize);
    if (joined == nullptr) {
        return nullptr;
    }
    unsigned char* at = reinterpret_cast<unsigned char*>(joined);
    if (first != nullptr) {
        std::memcpy(at, first, firstItems);
    }
    // A null second list leaves the zero-filled terminator alone.
    if (second != nullptr) {
        std::memcpy(at + firstItems, second, secondSize);
    }
    return joined;
}

ITEMIDLIST* ChopItemIDList(const ITEMIDLIST* list) {
    const std::uint32_t items = GetNumOfItemID(list);
    if (items < 2) {
        return nullptr;
    }
    const std::uint32_t size = GetItemIDListSize(list) - ItemCount(GetNthItemID(list, items - 1));
    ITEMIDLIST* chopped = AllocItemIDList(size);
    if (chopped != nullptr) {
        std::memcpy(chopped, list, size - kTerminatorSize);
    }
    return chopped;
}

ITEMIDLIST* PathToIDList(const char* path, std::int32_t rebase) {
    ShellNamespace* shell = ActiveShellNamespace();
    if (shell == nullptr || path == nullptr) {
        return nullptr;
    }
    // Callers outside the program get null, never an exception, even when memory runs out.
    try {
        const std::unique_ptr<DesktopFolder> desktop = shell->OpenDesktopFolder();
        if (!desktop) {
            return nullptr;
        }
        std::optional<std::wstring> widePath = shell->WidenPath(path);
        if (!widePath) {
            return nullptr;
        }
        OwnedList parsed = Own(*shell, desktop->ParseDisplayName(std::move(*widePath)));
        if (!parsed || rebase == 0) {
            return parsed.release();
        }
        const OwnedList directory =
            Own(*shell, shell->SpecialFolderLocation(SpecialFolder::DesktopDirectory));
        if (!directory) {
            return parsed.release();
        }
        const std::uint32_t directoryItems = GetNumOfItemID(directory.get());
        if (GetNumOfItemID(parsed.get()) < directoryItems) {
            return parsed.release();
        }
        // The folder compares the leading items: file-system items hold time stamps, and a file
        // just created in the desktop directory can leave them unequal to the directory's own list.
        const ITEMIDLIST* rest = GetNthItemID(parsed.get(), directoryItems);
        std::vector<unsigned char> leading(Bytes(parsed.get()), Bytes(rest));
        leading.insert(leading.end(), kTerminatorSize, 0);
        if (!desktop->SameObject(reinterpret_cast<const ITEMIDLIST*>(leading.data()), directory.get())) {
            return parsed.release();
        }
        const OwnedList root = Own(*shell, shell->SpecialFolderLocation(SpecialFolder::Desktop));
        if (!root) {
            return parsed.release();
        }
        return ConcatItemIDList(root.get(), rest);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace ostrel
