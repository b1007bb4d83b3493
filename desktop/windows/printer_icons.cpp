#include "desktop/windows/printer_icons.h"

#include "desktop/user_messages.h"
#include "desktop/windows/program_look.h"
#include "platform/win32/printers_folder.h"
#include "platform/win32/ui/application.h"
#include "shell/item_id_list.h"

#include <string>

namespace ostrel {

PrinterImages::PrinterImages() : list_(ImageList_Create(SmallImageSize, SmallImageSize, ILC_COLOR32 | ILC_MASK, 4, 4))
{
    if (!list_)
        throw ui::MessageError(CannotCreateMessage(WindowPart::PrinterImages));
}

void PrinterImages::Rebuild(const PrinterEntries& entries, const TextEquals& equals)
{
    const std::vector<PrintersFolderItem> printers = PrintersFolderItems(&ConcatItemIDList);
    std::vector<std::string> names;
    for (const PrintersFolderItem& printer : printers)
        names.push_back(printer.name);

    ImageList_RemoveAll(list_.get());
    hasImage_.assign(static_cast<std::size_t>(entries.Count()), false);
    for (int i = 0; i < entries.Count(); ++i) {
        const int found = FindShellName(names, entries.Text(i), equals);
        const HICON icon = found >= 0 ? printers[static_cast<std::size_t>(found)].icon.get() : nullptr;
        // An entry without an icon keeps an empty slot, so that image i stays entry i's.
        if (icon != nullptr && ImageList_AddIcon(list_.get(), icon) >= 0) {
            hasImage_[static_cast<std::size_t>(i)] = true;
            continue;
        }
        const ui::UniqueIcon empty(CreateIcon(GetModuleHandleW(nullptr), SmallImageSize, SmallImageSize, 1, 1,
                                              std::vector<BYTE>(SmallImageSize * SmallImageSize / 8, 0xFF).data(),
                                              std::vector<BYTE>(SmallImageSize * SmallImageSize / 8, 0x00).data()));
        ImageList_AddIcon(list_.get(), empty.get());
    }
}

bool PrinterImages::HasImage(int index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < hasImage_.size() && hasImage_[static_cast<std::size_t>(index)];
}

ui::UniqueIcon PrinterImages::IconCopy(int index) const
{
    return HasImage(index) ? ui::UniqueIcon(ImageList_GetIcon(list_.get(), index, ILD_NORMAL)) : ui::UniqueIcon();
}

}  // namespace ostrel
