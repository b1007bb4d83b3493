#include "desktop/menu_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ostrel {
namespace {

std::vector<std::wstring> Captions(const std::vector<MenuLayout>& menus)
{
    std::vector<std::wstring> captions;
    for (const MenuLayout& menu : menus)
        captions.emplace_back(menu.caption);
    return captions;
}

TEST(MenuLayout, ReportMenusMergeIntoTheFrameBarByGroup)
{
    const std::vector<MenuLayout> merged = MergeMenuBars(FrameMenuBar(), ReportMenuBar());
    EXPECT_EQ(Captions(merged), (std::vector<std::wstring>{L"ファイル(&F)", L"編集(&E)", L"検索(&S)",
                                                          L"表示(&V)", L"ウィンドウ(&W)", L"ヘルプ(&H)"}));
    // The File menu is the report window's own, with its document commands.
    EXPECT_EQ(merged[0].items.size(), ReportMenuBar()[0].items.size());
    EXPECT_TRUE(merged[4].windowMenu);
}

TEST(MenuLayout, MergingNothingKeepsTheFrameBar)
{
    EXPECT_EQ(Captions(MergeMenuBars(FrameMenuBar(), {})),
              (std::vector<std::wstring>{L"ファイル(&F)", L"ウィンドウ(&W)", L"ヘルプ(&H)"}));
}

TEST(MenuLayout, GroupsDecideReplacementAndPlace)
{
    const MenuLayout frame[] = {{L"a0", 0, {}}, {L"b3", 3, {}}, {L"c3", 3, {}}, {L"d7", 7, {}}};
    const MenuLayout child[] = {{L"x3", 3, {}}, {L"y9", 9, {}}, {L"z1", 1, {}}};
    // Both frame menus of group 3 give way to the one report menu of that group.
    EXPECT_EQ(Captions(MergeMenuBars(frame, child)),
              (std::vector<std::wstring>{L"a0", L"z1", L"x3", L"d7", L"y9"}));
}

TEST(MenuLayout, EveryMenuItemNamesAKnownCommand)
{
    const auto check = [](std::span<const MenuItem> items) {
        for (const MenuItem& item : items)
            if (!item.separator) {
                EXPECT_NO_THROW(CommandInfoOf(item.command));
            }
    };
    for (const MenuLayout& menu : FrameMenuBar())
        check(menu.items);
    for (const MenuLayout& menu : ReportMenuBar())
        check(menu.items);
    check(ReportContextMenu());
}

}  // namespace
}  // namespace ostrel
