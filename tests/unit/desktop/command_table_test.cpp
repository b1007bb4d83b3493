#include "desktop/command_table.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

namespace ostrel {
namespace {

TEST(CommandTable, MenuTextsCarryTheShortcutAfterATab)
{
    const struct {
        CommandId id;
        const wchar_t* text;
    } cases[] = {
        {CommandId::Refresh, L"再表示(&R)\tF5"},
        {CommandId::Close, L"閉じる(&C)\tCtrl+W"},
        {CommandId::Cascade, L"重ねて表示(&C)"},
        {CommandId::SaveAs, L"名前を付けて保存(&A)...\tCtrl+S"},
        {CommandId::FindNext, L"次を検索(&N)\tF3"},
        {CommandId::FindPrev, L"前を検索(&P)\tShift+F3"},
        {CommandId::About, L"バージョン情報(&A)..."},
        {CommandId::CompareWith, L"比較(&M)..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MenuItemText(CommandInfoOf(c.id)), c.text) << static_cast<int>(c.id);
}

TEST(CommandTable, TooltipIsTheHintBeforeItsFirstBar)
{
    EXPECT_EQ(ShortHint(CommandInfoOf(CommandId::Exit).hint), L"終了");
    EXPECT_EQ(ShortHint(CommandInfoOf(CommandId::TileHorizontal).hint), L"上下に並べる");
    EXPECT_EQ(ShortHint(L"a|b|c"), L"a");
    EXPECT_EQ(ShortHint(L""), L"");
}

TEST(CommandTable, IdsAreUniqueAndImagesStayInsideTheCommandImages)
{
    std::set<CommandId> ids;
    std::set<int> images;
    for (const CommandInfo& command : AllCommands()) {
        EXPECT_TRUE(ids.insert(command.id).second) << static_cast<int>(command.id);
        if (command.image != NoImage) {
            EXPECT_TRUE(command.image >= 0 && command.image < CommandImageCount) << static_cast<int>(command.id);
            EXPECT_TRUE(images.insert(command.image).second) << "image " << command.image << " used twice";
        }
    }
    EXPECT_EQ(images.size(), static_cast<std::size_t>(CommandImageCount));
    EXPECT_THROW(CommandInfoOf(static_cast<CommandId>(1)), std::out_of_range);
}

}  // namespace
}  // namespace ostrel
