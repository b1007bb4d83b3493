#include "desktop/menu_layout.h"

#include <algorithm>

namespace ostrel {

namespace {

constexpr MenuItem Item(CommandId id) { return {false, id}; }
constexpr MenuItem Separator{true, CommandId::Refresh};

constexpr MenuItem FrameFile[] = {Item(CommandId::Refresh), Separator, Item(CommandId::Exit)};
constexpr MenuItem FrameWindow[] = {Item(CommandId::TileHorizontal), Item(CommandId::TileVertical),
                                    Item(CommandId::Cascade), Separator, Item(CommandId::MinimizeAll),
                                    Item(CommandId::Arrange)};
constexpr MenuItem FrameHelp[] = {Item(CommandId::About)};

constexpr MenuLayout FrameMenus[] = {
    {L"ファイル(&F)", 0, FrameFile},
    {L"ウィンドウ(&W)", 8, FrameWindow, true},
    {L"ヘルプ(&H)", 9, FrameHelp},
};

constexpr MenuItem ReportFile[] = {Item(CommandId::Refresh), Separator, Item(CommandId::SaveAs),
                                   Item(CommandId::CompareWith), Separator,
                                   Item(CommandId::PrintSetup), Item(CommandId::Print), Separator,
                                   Item(CommandId::Close), Separator, Item(CommandId::Exit)};
constexpr MenuItem ReportEdit[] = {Item(CommandId::Copy), Separator, Item(CommandId::SelectAll)};
constexpr MenuItem ReportSearch[] = {Item(CommandId::Find), Item(CommandId::FindNext), Item(CommandId::FindPrev)};
constexpr MenuItem ReportView[] = {Item(CommandId::Findings)};

constexpr MenuLayout ReportMenus[] = {
    {L"ファイル(&F)", 0, ReportFile},
    {L"編集(&E)", 2, ReportEdit},
    {L"検索(&S)", 2, ReportSearch},
    {L"表示(&V)", 2, ReportView},
};

constexpr MenuItem ReportPopup[] = {Item(CommandId::Copy), Separator, Item(CommandId::SelectAll)};

}  // namespace

std::span<const MenuLayout> FrameMenuBar()
{
    return FrameMenus;
}

std::span<const MenuLayout> ReportMenuBar()
{
    return ReportMenus;
}

std::span<const MenuItem> ReportContextMenu()
{
    return ReportPopup;
}

std::vector<MenuLayout> MergeMenuBars(std::span<const MenuLayout> frame, std::span<const MenuLayout> child)
{
    std::vector<MenuLayout> merged;
    for (const MenuLayout& menu : frame) {
        const bool replaced = std::any_of(child.begin(), child.end(),
                                          [&](const MenuLayout& own) { return own.group == menu.group; });
        if (!replaced)
            merged.push_back(menu);
    }
    for (const MenuLayout& menu : child) {
        const auto at = std::find_if(merged.begin(), merged.end(),
                                     [&](const MenuLayout& other) { return other.group > menu.group; });
        merged.insert(at, menu);
    }
    return merged;
}

}  // namespace ostrel
