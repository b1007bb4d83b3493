#include "shell/item_id_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/doubles/portable_shell.h"

namespace ostrel {
namespace {

using Items = std::vector<std::string>;

// A list laid out by hand, independent of the code under test.
std::vector<std::uint8_t> MakeList(const Items& items) {
    std::vector<std::uint8_t> bytes;
    for (const std::string& item : items) {
        const auto count = static_cast<std::uint16_t>(item.size() + 2);
        bytes.push_back(static_cast<std::uint8_t>(count & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(count >> 8));
        bytes.insert(bytes.end(), item.begin(), item.end());
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

const ITEMIDLIST* AsList(const std::vector<std::uint8_t>& bytes) {
    return reinterpret_cast<const ITEMIDLIST*>(bytes.data());
}

std::optional<Items> ReadItems(const ITEMIDLIST* list) {
    if (list == nullptr) {
        return std::nullopt;
    }
    const auto* at = reinterpret_cast<const std::uint8_t*>(list);
    Items items;
    while (const unsigned count = at[0] | at[1] << 8) {
        items.emplace_back(reinterpret_cast<const char*>(at + 2), count - 2);
        at += count;
    }
    return items;
}

class ItemIdListTest : public ::testing::Test {
protected:
    void TearDown() override {
        results_.clear();
        EXPECT_EQ(shell_.LiveBlocks(), 0u) << "a list was leaked";
        EXPECT_EQ(shell_.StrayFrees(), 0u) << "a list was freed twice or was not ours";
    }

    // Takes ownership of a result so that TearDown can tell leaks inside the code from ours.
    std::optional<Items> Take(ITEMIDLIST* list) {
        results_.emplace_back(list, Release{&shell_});
        return ReadItems(list);
    }

    struct Release {
        PortableShell* shell;
        void operator()(ITEMIDLIST* list) const { shell->Free(list); }
    };

    PortableShell shell_;
    ScopedShellNamespace scope_{shell_};
    std::vector<std::unique_ptr<ITEMIDLIST, Release>> results_;
};

TEST_F(ItemIdListTest, MeasuresLists) {
    struct Case {
        std::optional<Items> items;
        std::uint32_t size;
        std::uint32_t count;
    };
    const Case cases[] = {
        {std::nullopt, 0, 0},
        {Items{}, 2, 0},
        {Items{"ab"}, 6, 1},
        {Items{"ab", "", "xyz"}, 13, 3},
    };
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> bytes = c.items ? MakeList(*c.items) : std::vector<std::uint8_t>{};
        const ITEMIDLIST* list = c.items ? AsList(bytes) : nullptr;
        EXPECT_EQ(GetItemIDListSize(list), c.size) << testing::PrintToString(c.items);
        EXPECT_EQ(GetNumOfItemID(list), c.count) << testing::PrintToString(c.items);
    }
}

TEST_F(ItemIdListTest, WalksItemsAndStopsAtTheTerminator) {
    const std::vector<std::uint8_t> bytes = MakeList({"a", "bcd"});
    const ITEMIDLIST* list = AsList(bytes);
    const auto* terminator = reinterpret_cast<const ITEMIDLIST*>(bytes.data() + bytes.size() - 2);

    EXPECT_EQ(GetNthItemID(list, 0), list);
    EXPECT_EQ(GetNthItemID(list, 1), reinterpret_cast<const ITEMIDLIST*>(bytes.data() + 3));
    EXPECT_EQ(GetNextItemID(GetNthItemID(list, 1)), terminator);
    for (const std::uint32_t n : {2u, 3u, 0xFFFFFFFFu}) {
        EXPECT_EQ(GetNthItemID(list, n), terminator) << n;
    }
    EXPECT_EQ(GetNextItemID(terminator), terminator);
    EXPECT_EQ(GetNextItemID(nullptr), nullptr);
    EXPECT_EQ(GetNthItemID(nullptr, 0), nullptr);
}

TEST_F(ItemIdListTest, AllocatesZeroFilledBlocksOrNull) {
    ITEMIDLIST* block = AllocItemIDList(40);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::vector<std::uint8_t>(reinterpret_cast<std::uint8_t*>(block),
                                        reinterpret_cast<std::uint8_t*>(block) + 40),
              std::vector<std::uint8_t>(40, 0));
    Take(block);

    shell_.LimitAllocations(0);
    EXPECT_EQ(AllocItemIDList(8), nullptr);
    EXPECT_EQ(CopyItemIDList(AsList(MakeList({"a"}))), nullptr);
    EXPECT_EQ(ConcatItemIDList(nullptr, AsList(MakeList({"a"}))), nullptr);
    EXPECT_EQ(ChopItemIDList(AsList(MakeList({"a", "b"}))), nullptr);
}

TEST(ItemIdListWithoutShell, FailsWithNullInsteadOfCrashing) {
    const std::vector<std::uint8_t> bytes = MakeList({"a"});
    EXPECT_EQ(AllocItemIDList(4), nullptr);
    EXPECT_EQ(CopyItemIDList(AsList(bytes)), nullptr);
    EXPECT_EQ(PathToIDList("C:\\a", 1), nullptr);
}

TEST_F(ItemIdListTest, CopiesLists) {
    const std::vector<std::uint8_t> bytes = MakeList({"one", "two"});
    ITEMIDLIST* copy = CopyItemIDList(AsList(bytes));
    EXPECT_NE(copy, AsList(bytes));
    EXPECT_EQ(Take(copy), (Items{"one", "two"}));
    EXPECT_EQ(Take(CopyItemIDList(AsList(MakeList({})))), Items{});
    EXPECT_EQ(CopyItemIDList(nullptr), nullptr);
}

TEST_F(ItemIdListTest, ConcatenatesLists) {
    struct Case {
        std::optional<Items> first;
        std::optional<Items> second;
        Items joined;
    };
    const Case cases[] = {
        {Items{"a"}, Items{"b", "cc"}, {"a", "b", "cc"}},
        {std::nullopt, Items{"b", "cc"}, {"b", "cc"}},
        {Items{}, Items{"b"}, {"b"}},
        {Items{"a"}, Items{}, {"a"}},
        {Items{}, Items{}, {}},
        {Items{"a"}, std::nullopt, {"a"}},
        {std::nullopt, std::nullopt, {}},
    };
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> first = c.first ? MakeList(*c.first) : std::vector<std::uint8_t>{};
        const std::vector<std::uint8_t> second = c.second ? MakeList(*c.second) : std::vector<std::uint8_t>{};
        const std::optional<Items> joined = Take(ConcatItemIDList(c.first ? AsList(first) : nullptr,
                                                                  c.second ? AsList(second) : nullptr));
        EXPECT_EQ(joined, c.joined) << testing::PrintToString(c.first) << " + "
                                    << testing::PrintToString(c.second);
    }
}

TEST_F(ItemIdListTest, ChopsTheLastItem) {
    struct Case {
        Items items;
        std::optional<Items> chopped;
    };
    const Case cases[] = {
        {{}, std::nullopt},
        {{"a"}, std::nullopt},
        {{"a", "bb"}, Items{"a"}},
        {{"a", "bb", "ccc"}, Items{"a", "bb"}},
    };
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> bytes = MakeList(c.items);
        EXPECT_EQ(Take(ChopItemIDList(AsList(bytes))), c.chopped) << testing::PrintToString(c.items);
    }
    EXPECT_EQ(ChopItemIDList(nullptr), nullptr);
}

TEST_F(ItemIdListTest, TurnsPathsIntoLists) {
    struct Case {
        const char* path;
        std::int32_t rebase;
        std::optional<Items> list;
    };
    const Case cases[] = {
        {"C:\\Users\\me\\Desktop\\a.txt", 1, Items{"a.txt"}},
        {"C:\\Users\\me\\Desktop\\a.txt", 0, Items{"C:", "Users", "me", "Desktop", "a.txt"}},
        {"C:\\Users\\me\\Desktop\\sub\\b", -1, Items{"sub", "b"}},
        {"C:\\Users\\me\\Desktop", 1, Items{}},
        {"c:\\users\\ME\\desktop\\a.txt", 1, Items{"a.txt"}},
        {"C:\\Users\\me\\Desktop2\\a.txt", 1, Items{"C:", "Users", "me", "Desktop2", "a.txt"}},
        {"C:\\Users\\me", 1, Items{"C:", "Users", "me"}},
        {"D:\\", 1, Items{"D:"}},
        {"", 1, std::nullopt},
        {"C:\\a|b", 1, std::nullopt},
        {"C:\\\\a", 0, std::nullopt},
        {nullptr, 1, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Take(PathToIDList(c.path, c.rebase)), c.list)
            << (c.path != nullptr ? c.path : "(null)") << " rebase " << c.rebase;
    }
}

TEST_F(ItemIdListTest, RefusesPathsTooLongForTheWideBuffer) {
    const std::string fits = "C:\\" + std::string(256, 'x');
    EXPECT_EQ(Take(PathToIDList(fits.c_str(), 0)), (Items{"C:", std::string(256, 'x')}));
    EXPECT_EQ(PathToIDList((fits + "y").c_str(), 0), nullptr);
}

// Allocations in a rebased parse: the parsed list, the desktop directory, the root, the result.
TEST_F(ItemIdListTest, ReleasesEverythingWhenAnAllocationFails) {
    const std::optional<Items> expected[] = {
        std::nullopt,
        Items{"C:", "Users", "me", "Desktop", "a.txt"},
        Items{"C:", "Users", "me", "Desktop", "a.txt"},
        std::nullopt,
        Items{"a.txt"},
    };
    for (std::size_t allowed = 0; allowed < std::size(expected); ++allowed) {
        shell_.LimitAllocations(allowed);
        EXPECT_EQ(Take(PathToIDList("C:\\Users\\me\\Desktop\\a.txt", 1)), expected[allowed]) << allowed;
        results_.clear();
        EXPECT_EQ(shell_.LiveBlocks(), 0u) << allowed;
    }
}

}  // namespace
}  // namespace ostrel
