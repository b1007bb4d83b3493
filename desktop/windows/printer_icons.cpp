#include "desktop/windows/printer_icons.h"

#include "platform/win32/ui/wide_text.h"
#include "shell/item_id_list.h"

#include <shlobj.h>
#include <shellapi.h>

#include <stdexcept>
#include <string>
#include <utility>

namespace ostrel {

namespace {

constexpr int ImageSize = 16;

struct ShellPrinter {
    std::string name;
    ui::UniqueIcon icon;
};

// The display name the folder gives an item, in the system code page; empty for an unknown kind.
std::string DisplayName(STRRET& name, const ITEMIDLIST* item)
{
    switch (name.uType) {
    case STRRET_WSTR: {
        const ui::UniqueTaskMemory<wchar_t> wide(name.pOleStr);
        return wide ? ui::Narrow(wide.get()) : std::string();
    }
    case STRRET_OFFSET:
        return reinterpret_cast<const char*>(item) + name.uOffset;
    case STRRET_CSTR:
        return name.cStr;
    default:
        return {};
    }
}

// The Printers folder's items, named, each with its small icon (or none).
std::vector<ShellPrinter> ShellPrinters()
{
    std::vector<ShellPrinter> printers;
    ITEMIDLIST* folderList = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PRINTERS, &folderList)))
        return printers;
    const ui::UniqueTaskMemory<ITEMIDLIST> folderItems(folderList);

    ui::ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Receive())))
        return printers;
    ui::ComPtr<IShellFolder> folder;
    if (FAILED(desktop->BindToObject(folderItems.get(), nullptr, IID_IShellFolder, folder.ReceiveVoid())))
        return printers;
    ui::ComPtr<IEnumIDList> items;
    // S_FALSE also means there is nothing to enumerate: no enumerator comes back then.
    if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                            items.Receive()) != S_OK ||
        !items)
        return printers;

    while (true) {
        ITEMIDLIST* next = nullptr;
        if (items->Next(1, &next, nullptr) != S_OK)
            break;
        const ui::UniqueTaskMemory<ITEMIDLIST> item(next);
        STRRET name{};
        if (FAILED(folder->GetDisplayNameOf(item.get(), SHGDN_NORMAL, &name)))
            continue;
        std::string displayName = DisplayName(name, item.get());
        const ui::UniqueTaskMemory<ITEMIDLIST> absolute(ConcatItemIDList(folderItems.get(), item.get()));
        if (!absolute)
            continue;
        SHFILEINFOA info{};
        const bool found = SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute.get()), 0, &info, sizeof info,
                                          SHGFI_PIDL | SHGFI_ICON | SHGFI_SMALLICON) != 0;
        printers.push_back({std::move(displayName), ui::UniqueIcon(found ? info.hIcon : nullptr)});
    }
    return printers;
}

}  // namespace

PrinterImages::PrinterImages() : list_(ImageList_Create(ImageSize, ImageSize, ILC_COLOR32 | ILC_MASK, 4, 4))
{
    if (!list_)
        throw std::runtime_error("cannot create the printer image list");
}

void PrinterImages::Rebuild(const PrinterEntries& entries, const TextEquals& equals)
{
    const std::vector<ShellPrinter> printers = ShellPrinters();
    std::vector<std::string> names;
    for (const ShellPrinter& printer : printers)
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
        const ui::UniqueIcon empty(CreateIcon(GetModuleHandleW(nullptr), ImageSize, ImageSize, 1, 1,
                                              std::vector<BYTE>(ImageSize * ImageSize / 8, 0xFF).data(),
                                              std::vector<BYTE>(ImageSize * ImageSize / 8, 0x00).data()));
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
