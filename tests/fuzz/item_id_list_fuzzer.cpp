// The item-ID list functions over fuzzed lists and paths, checked against a plain model: a list is
// a vector of items, each the bytes after its count. Lists are well formed (the functions take no
// length and trust the format); their items, sizes and numbers are the fuzzer's, and so are the
// allocations that fail, the path and the desktop directory it may lie in. Every block allocated is
// freed exactly once.
#include "tests/doubles/portable_shell.h"
#include "shell/item_id_list.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace ostrel {
namespace {

using Items = std::vector<std::string>;

void Require(bool holds, const char* rule)
{
    if (!holds) {
        std::fprintf(stderr, "broken rule: %s\n", rule);
        std::abort();
    }
}

std::vector<std::uint8_t> Serialized(const Items& items)
{
    std::vector<std::uint8_t> bytes;
    for (const std::string& item : items) {
        const auto count = static_cast<std::uint16_t>(item.size() + 2);
        bytes.push_back(static_cast<std::uint8_t>(count & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(count >> 8));
        bytes.insert(bytes.end(), item.begin(), item.end());
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

Items FuzzedItems(FuzzedDataProvider& input)
{
    Items items(input.ConsumeIntegralInRange<std::size_t>(0, 8));
    for (std::string& item : items)
        item = input.ConsumeIntegralInRange(0, 15) != 0
                   ? input.ConsumeRandomLengthString(40)
                   : std::string(input.ConsumeIntegralInRange<std::size_t>(0, 0xFFFD), 'x');  // up to the largest item
    return items;
}

const ITEMIDLIST* AsList(const std::vector<std::uint8_t>& bytes)
{
    return reinterpret_cast<const ITEMIDLIST*>(bytes.data());
}

// The list's bytes up to and including its terminator, read by the model's own rule.
std::vector<std::uint8_t> BytesOf(const ITEMIDLIST* list)
{
    const auto* at = reinterpret_cast<const std::uint8_t*>(list);
    std::size_t size = 0;
    for (std::uint16_t count; std::memcpy(&count, at + size, 2), count != 0;)
        size += count;
    return std::vector<std::uint8_t>(at, at + size + 2);
}

// A list this process got from the shell: it must equal expected, and is freed.
void CheckReturned(PortableShell& shell, ITEMIDLIST* list, const std::vector<std::uint8_t>& expected,
                   const char* rule)
{
    if (list == nullptr)
        return;  // an allocation the fuzzer made fail
    Require(BytesOf(list) == expected, rule);
    shell.Free(list);
}

void CheckLists(FuzzedDataProvider& input, PortableShell& shell)
{
    const Items firstItems = FuzzedItems(input);
    const Items secondItems = FuzzedItems(input);
    const std::vector<std::uint8_t> first = Serialized(firstItems);
    const std::vector<std::uint8_t> second = Serialized(secondItems);
    const ITEMIDLIST* list = AsList(first);

    Require(GetItemIDListSize(list) == first.size(), "size is the bytes up to the terminator and 2");
    Require(GetNumOfItemID(list) == firstItems.size(), "the number of items");
    Require(GetItemIDListSize(nullptr) == 0 && GetNumOfItemID(nullptr) == 0, "null measures 0");

    std::size_t offset = 0;
    for (std::uint32_t n = 0; n <= firstItems.size() + 1; ++n) {
        const ITEMIDLIST* nth = GetNthItemID(list, n);
        Require(reinterpret_cast<const std::uint8_t*>(nth) == first.data() + offset, "item n lies at its offset");
        Require(GetNextItemID(nth) == GetNthItemID(list, n + 1), "the next item is item n + 1");
        if (n < firstItems.size())
            offset += firstItems[n].size() + 2;
    }
    Require(GetNthItemID(list, std::numeric_limits<std::uint32_t>::max()) == GetNthItemID(list, firstItems.size()),
            "any n past the items gives the terminator");

    shell.LimitAllocations(input.ConsumeIntegralInRange<std::size_t>(0, 4));
    CheckReturned(shell, CopyItemIDList(list), first, "a copy has the same bytes");
    Require(CopyItemIDList(nullptr) == nullptr, "a copy of null is null");

    Items joined = firstItems;
    joined.insert(joined.end(), secondItems.begin(), secondItems.end());
    CheckReturned(shell, ConcatItemIDList(list, AsList(second)), Serialized(joined), "a join has both lists' items");
    CheckReturned(shell, ConcatItemIDList(nullptr, AsList(second)), second, "a join to null copies the second");
    CheckReturned(shell, ConcatItemIDList(list, nullptr), first, "a join with null copies the first");

    ITEMIDLIST* chopped = ChopItemIDList(list);
    if (firstItems.size() < 2) {
        Require(chopped == nullptr, "fewer than two items chop to null");
    } else {
        const Items rest(firstItems.begin(), firstItems.end() - 1);
        CheckReturned(shell, chopped, Serialized(rest), "a chop drops the last item");
    }
    shell.LimitAllocations(std::numeric_limits<std::size_t>::max());
}

// The model of rebasing: a path whose leading items name the desktop directory (as the folder
// compares them) is named by its remaining items; any other keeps its full list.
void CheckPath(FuzzedDataProvider& input)
{
    PortableShell shell(input.ConsumeRandomLengthString(80));
    {
        const ScopedShellNamespace active(shell);
        const std::string path = input.ConsumeRandomLengthString(300);
        ITEMIDLIST* full = PathToIDList(path.c_str(), 0);
        ITEMIDLIST* rebased = PathToIDList(path.c_str(), input.ConsumeIntegralInRange<std::int32_t>(1, 1 << 30));
        ITEMIDLIST* directory = shell.SpecialFolderLocation(SpecialFolder::DesktopDirectory);
        Require((full == nullptr) == (rebased == nullptr), "a path parses with and without rebasing alike");

        if (full != nullptr) {
            std::vector<std::uint8_t> expected = BytesOf(full);
            const std::uint32_t directoryItems = directory != nullptr ? GetNumOfItemID(directory) : 0;
            if (directory != nullptr && GetNumOfItemID(full) >= directoryItems) {
                const ITEMIDLIST* rest = GetNthItemID(full, directoryItems);
                std::vector<std::uint8_t> leading(reinterpret_cast<const std::uint8_t*>(full),
                                                  reinterpret_cast<const std::uint8_t*>(rest));
                leading.insert(leading.end(), 2, 0);
                if (shell.OpenDesktopFolder()->SameObject(AsList(leading), directory))
                    expected = BytesOf(rest);
            }
            Require(BytesOf(rebased) == expected, "a rebased path drops the desktop directory's items");
        }
        shell.Free(full);
        shell.Free(rebased);
        shell.Free(directory);
    }
    Require(shell.LiveBlocks() == 0 && shell.StrayFrees() == 0, "every list is freed once");
}

}  // namespace
}  // namespace ostrel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ostrel;
    FuzzedDataProvider input(data, size);
    {
        PortableShell shell;
        {
            const ScopedShellNamespace active(shell);
            CheckLists(input, shell);
        }
        Require(shell.LiveBlocks() == 0 && shell.StrayFrees() == 0, "every list is freed once");
    }
    CheckPath(input);
    return 0;
}
