// The menu bars and the context menu as data, and how a document window's menu bar merges into the
// frame's: a report menu replaces the frame menu of the same group, the others go in group order.
#pragma once

#include "desktop/command_table.h"

#include <span>
#include <vector>

namespace ostrel {

// A menu item: a command, or a separator.
struct MenuItem {
    bool separator;
    CommandId command;
};

struct MenuLayout {
    const wchar_t* caption;
    int group;
    std::span<const MenuItem> items;
    // The window menu, below whose items the platform lists the open document windows.
    bool windowMenu = false;
};

std::span<const MenuLayout> FrameMenuBar();
std::span<const MenuLayout> ReportMenuBar();
std::span<const MenuItem> ReportContextMenu();

// The frame's menus with the document window's merged in: a report menu whose group equals a frame
// menu's group takes the place of that frame menu (of all of them, when several share the group);
// every other report menu is inserted before the first frame menu of a higher group, after those
// of its own or a lower group.
std::vector<MenuLayout> MergeMenuBars(std::span<const MenuLayout> frame, std::span<const MenuLayout> child);

}  // namespace ostrel
