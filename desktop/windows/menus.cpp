#include "desktop/windows/menus.h"

#include "desktop/user_messages.h"
#include "desktop/windows/program_look.h"
#include "platform/win32/ui/application.h"

#include <string>
#include <vector>

namespace ostrel {

namespace {


void SetItemBitmap(HMENU menu, int position, HBITMAP bitmap)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = bitmap;
    SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
}

void AppendItems(HMENU menu, std::span<const MenuItem> items)
{
    for (const MenuItem& item : items) {
        if (item.separator) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const CommandInfo& command = CommandInfoOf(item.command);
        const std::wstring text = MenuItemText(command);
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command.id), text.c_str());
        if (command.image != NoImage)
            SetItemBitmap(menu, GetMenuItemCount(menu) - 1, HBMMENU_CALLBACK);
    }
    ReserveImageColumn(menu);
}

}  // namespace

MenuBar BuildMenuBar(std::span<const MenuLayout> menus)
{
    MenuBar result{ui::UniqueMenu(CreateMenu()), nullptr};
    if (!result.bar)
        throw ui::MessageError(CannotCreateMessage(WindowPart::Menu));
    for (const MenuLayout& layout : menus) {
        ui::UniqueMenu popup = BuildPopupMenu(layout.items);
        if (layout.windowMenu)
            result.windowMenu = popup.get();
        AppendMenuW(result.bar.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup.get()), layout.caption);
        popup.release();  // the bar owns it now
    }
    return result;
}

ui::UniqueMenu BuildPopupMenu(std::span<const MenuItem> items)
{
    ui::UniqueMenu menu(CreatePopupMenu());
    if (!menu)
        throw ui::MessageError(CannotCreateMessage(WindowPart::Menu));
    AppendItems(menu.get(), items);
    return menu;
}

void ReserveImageColumn(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    std::vector<int> withoutImage;
    bool anyImage = false;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_BITMAP | MIIM_FTYPE;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR))
            continue;
        if (info.hbmpItem != nullptr)
            anyImage = true;
        else
            withoutImage.push_back(i);
    }
    if (!anyImage)
        return;
    for (const int position : withoutImage)
        SetItemBitmap(menu, position, HBMMENU_CALLBACK);
}

bool MeasureMenuImage(MEASUREITEMSTRUCT& item)
{
    if (item.CtlType != ODT_MENU)
        return false;
    item.itemWidth = SmallImageSize;
    item.itemHeight = SmallImageSize;
    return true;
}

bool DrawMenuImage(const DRAWITEMSTRUCT& item, HIMAGELIST images)
{
    if (item.CtlType != ODT_MENU)
        return false;
    for (const CommandInfo& command : AllCommands()) {
        if (static_cast<UINT>(command.id) == item.itemID && command.image != NoImage) {
            const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - SmallImageSize) / 2;
            ImageList_Draw(images, command.image, item.hDC, item.rcItem.left, top,
                           (item.itemState & ODS_GRAYED) ? ILD_BLEND50 : ILD_NORMAL);
            break;
        }
    }
    return true;
}

void UpdateMenuItems(HMENU menu, const std::function<bool(CommandId)>& isEnabled)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const UINT id = GetMenuItemID(menu, i);
        if (id == static_cast<UINT>(-1) || id == 0)
            continue;  // a sub-menu or a separator
        for (const CommandInfo& command : AllCommands()) {
            if (static_cast<UINT>(command.id) == id) {
                EnableMenuItem(menu, i, MF_BYPOSITION | (isEnabled(command.id) ? MF_ENABLED : MF_GRAYED));
                break;
            }
        }
    }
}

void CheckMenuItems(HMENU menu, const std::function<bool(CommandId)>& isChecked)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const UINT id = GetMenuItemID(menu, i);
        for (const CommandInfo& command : AllCommands())
            if (static_cast<UINT>(command.id) == id && IsToggleCommand(command.id))
                CheckMenuItem(menu, i, MF_BYPOSITION | (isChecked(command.id) ? MF_CHECKED : MF_UNCHECKED));
    }
}

ui::UniqueAccelerators BuildAccelerators(std::span<const CommandInfo> commands)
{
    std::vector<ACCEL> table;
    for (const CommandInfo& command : commands) {
        if (!command.shortcut)
            continue;
        BYTE flags = FVIRTKEY;
        if (command.shortcut.ctrl)
            flags |= FCONTROL;
        if (command.shortcut.shift)
            flags |= FSHIFT;
        table.push_back({flags, command.shortcut.key, static_cast<WORD>(command.id)});
    }
    ui::UniqueAccelerators accelerators(CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
    if (!accelerators)
        throw ui::MessageError(CannotCreateMessage(WindowPart::Shortcuts));
    return accelerators;
}

}  // namespace ostrel
