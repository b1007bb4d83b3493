// The printers' small shell icons: ImageListPrinter rebuilt from the shell's Printers folder.
#pragma once

#include "desktop/printer_entries.h"
#include "platform/win32/ui/handles.h"

#include <vector>

namespace ostrel {

class PrinterImages {
public:
    PrinterImages();

    // Image i for entry i: the icon the Printers folder shows under the entry's shell name, or an
    // empty slot. Shell failures leave entries without an icon; nothing is reported.
    void Rebuild(const PrinterEntries& entries, const TextEquals& equals);

    HIMAGELIST Handle() const { return list_.get(); }
    bool HasImage(int index) const;
    // A copy of image i, owned by the caller; null when entry i has none.
    ui::UniqueIcon IconCopy(int index) const;

private:
    ui::UniqueImageList list_;
    std::vector<bool> hasImage_;
};

}  // namespace ostrel
