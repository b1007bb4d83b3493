#include "platform/win32/printers_folder.h"

#include "platform/win32/wide_text.h"

#include <shellapi.h>

#include <string>
#include <utility>

namespace ostrel {

namespace {

// The display name the folder gives an item, in the system code page; empty for an unknown kind.
std::string DisplayName(STRRET& name, const ITEMIDLIST* item)
{
    switch (name.uType) {
    case STRRET_WSTR: {
        const ui::UniqueTaskMemory<wchar_t> wide(name.pOleStr);
        return wide ? Narrow(wide.get()) : std::string();
    }
    case STRRET_OFFSET:
        return reinterpret_cast<const char*>(item) + name.uOffset;
    case STRRET_CSTR:
        return name.cStr;
    default:
        return {};
    }
}

}  // namespace

std::vector<PrintersFolderItem> PrintersFolderItems(JoinItemLists join)
{
    std::vector<PrintersFolderItem> printers;
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
        const ui::UniqueTaskMemory<ITEMIDLIST> absolute(join(folderItems.get(), item.get()));
        if (!absolute)
            continue;
        SHFILEINFOA info{};
        const bool found = SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute.get()), 0, &info, sizeof info,
                                          SHGFI_PIDL | SHGFI_ICON | SHGFI_SMALLICON) != 0;
        printers.push_back({std::move(displayName), ui::UniqueIcon(found ? info.hIcon : nullptr)});
    }
    return printers;
}

}  // namespace ostrel
