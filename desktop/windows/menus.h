// Menus and accelerators built from the command table and the menu layouts.
#pragma once

#include "desktop/command_table.h"
#include "desktop/menu_layout.h"
#include "platform/win32/ui/handles.h"

#include <functional>
#include <span>

namespace ostrel {

// Items of commands with an image draw it themselves: their owner window answers WM_MEASUREITEM
// and WM_DRAWITEM for them with MeasureMenuImage and DrawMenuImage.
struct MenuBar {
    ui::UniqueMenu bar;
    HMENU windowMenu = nullptr;  // the popup marked as window menu, owned by bar
};

MenuBar BuildMenuBar(std::span<const MenuLayout> menus);
ui::UniqueMenu BuildPopupMenu(std::span<const MenuItem> items);

// Gives every item of a menu that shows an image an image slot, empty where the command has no
// image (the window menu's list of document windows too). Some systems measure an item's text
// without the image column but draw it after that column, so that a longer text without an image
// runs into its shortcut or is cut at the menu's edge. Call it again before the menu opens when
// the system added items of its own.
void ReserveImageColumn(HMENU menu);

// For a menu item's image: false when the message is about something else.
bool MeasureMenuImage(MEASUREITEMSTRUCT& item);
bool DrawMenuImage(const DRAWITEMSTRUCT& item, HIMAGELIST images);

// Enables or greys every command item of menu (not its sub-menus) as isEnabled says.
void UpdateMenuItems(HMENU menu, const std::function<bool(CommandId)>& isEnabled);
// Checks or clears every toggle command's item of menu (not its sub-menus) as isChecked says.
void CheckMenuItems(HMENU menu, const std::function<bool(CommandId)>& isChecked);

// An accelerator for every command with a shortcut.
ui::UniqueAccelerators BuildAccelerators(std::span<const CommandInfo> commands);

}  // namespace ostrel
