// The printer list's bookkeeping, apart from any window: the entries of the list control, how a
// refresh adds new printers and removes vanished ones, and which shell name gives an entry its icon.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ostrel {

// Whole-text comparison without regard to letter case. The window build compares as the user's
// locale does; the default folds ASCII letters only.
using TextEquals = std::function<bool(const std::string&, const std::string&)>;
bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b);

// The entries as the list control holds them: a text each, and whether it has a report window.
class PrinterEntries {
public:
    virtual ~PrinterEntries() = default;
    virtual int Count() const = 0;
    virtual std::string Text(int index) const = 0;
    virtual void Insert(int index, const std::string& text) = 0;  // with no window
    // Closes the entry's report window, if it has one, and clears the association.
    virtual void CloseWindow(int index) = 0;
    virtual void Remove(int index) = 0;
};

// First entry whose text equals text, or -1.
int FindEntry(const PrinterEntries& entries, const std::string& text, const TextEquals& equals);

// Every printer that no entry names is inserted at its own index of the printer list, in order.
void AddNewPrinters(PrinterEntries& entries, const std::vector<std::string>& printers, const TextEquals& equals);

// Walks the entries once, in order, while there are more entries than printers: an entry that
// names no printer has its window closed, then is removed, and the walk goes on with the next one.
void RemoveVanishedPrinters(PrinterEntries& entries, const std::vector<std::string>& printers,
                            const TextEquals& equals);

// The shell display names under which an entry's icon is looked up, in order: the entry itself;
// for a connection "\\server\printer", "printer - server"; for "printer. port", the printer name.
std::vector<std::string> ShellNamesForEntry(const std::string& entry);

// Index of the first shell name matching one of the entry's names (tried in that order), or -1.
int FindShellName(const std::vector<std::string>& shellNames, const std::string& entry, const TextEquals& equals);

}  // namespace ostrel
