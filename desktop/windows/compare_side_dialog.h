// The compare command's question: a small modal dialog that lists printers to choose one from,
// and, where a snapshot may be chosen instead, a button that asks for its file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ostrel {

// Control ids of the dialog, for whatever drives it from outside.
constexpr int ComparePrinterListId = 0x500;
constexpr int CompareFileButtonId = 0x501;

struct SideChoice {
    enum class Kind { Cancelled, Printer, File };
    Kind kind = Kind::Cancelled;
    int index = -1;  // of the chosen printer
};

// Enter or a double click takes the selected printer, Escape cancels; the file button, shown
// only with offerFile, ends the dialog asking for a file.
SideChoice AskForPrinter(HWND owner, const std::wstring& prompt, const std::vector<std::wstring>& printers,
                         bool offerFile);

}  // namespace ostrel
