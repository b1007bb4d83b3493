// The shell's Printers folder as it shows the printers: their names and small icons.
#pragma once

#include "platform/shell_records.h"
#include "platform/win32/ui/handles.h"

#include <string>
#include <vector>

namespace ostrel {

struct PrintersFolderItem {
    std::string name;     // the display name, in the system code page
    ui::UniqueIcon icon;  // the small icon; null when the shell has none
};

// A new list from the task allocator naming the item (relative to folder) from the namespace root;
// null when it cannot be made.
using JoinItemLists = ITEMIDLIST* (*)(const ITEMIDLIST* folder, const ITEMIDLIST* item);

// Every item of the folder, named, with its icon; empty when the folder cannot be read. The
// shell's icon query wants an item's whole list: join makes it.
std::vector<PrintersFolderItem> PrintersFolderItems(JoinItemLists join);

}  // namespace ostrel
