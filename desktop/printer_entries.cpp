#include "desktop/printer_entries.h"

#include <algorithm>

namespace ostrel {

namespace {

bool NamesAnyPrinter(const std::string& text, const std::vector<std::string>& printers, const TextEquals& equals)
{
    return std::any_of(printers.begin(), printers.end(),
                       [&](const std::string& printer) { return equals(printer, text); });
}

}  // namespace

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}

int FindEntry(const PrinterEntries& entries, const std::string& text, const TextEquals& equals)
{
    for (int i = 0; i < entries.Count(); ++i)
        if (equals(entries.Text(i), text))
            return i;
    return -1;
}

void AddNewPrinters(PrinterEntries& entries, const std::vector<std::string>& printers, const TextEquals& equals)
{
    for (std::size_t i = 0; i < printers.size(); ++i) {
        if (FindEntry(entries, printers[i], equals) >= 0)
            continue;
        // Past the end when earlier printers were already listed further down: append then.
        const int at = std::min(static_cast<int>(i), entries.Count());
        entries.Insert(at, printers[i]);
    }
}

void RemoveVanishedPrinters(PrinterEntries& entries, const std::vector<std::string>& printers,
                            const TextEquals& equals)
{
    int i = 0;
    while (i < entries.Count() && entries.Count() > static_cast<int>(printers.size())) {
        if (NamesAnyPrinter(entries.Text(i), printers, equals)) {
            ++i;
            continue;
        }
        entries.CloseWindow(i);
        entries.Remove(i);
    }
}

std::vector<std::string> ShellNamesForEntry(const std::string& entry)
{
    std::vector<std::string> names{entry};
    if (entry.rfind("\\\\", 0) == 0) {
        const std::string rest = entry.substr(2);
        const std::string::size_type slash = rest.find('\\');
        if (slash != std::string::npos)
            names.push_back(rest.substr(slash + 1) + " - " + rest.substr(0, slash));
    }
    const std::string::size_type stop = entry.find(". ");
    if (stop != std::string::npos)
        names.push_back(entry.substr(0, stop));
    return names;
}

int FindShellName(const std::vector<std::string>& shellNames, const std::string& entry, const TextEquals& equals)
{
    for (const std::string& name : ShellNamesForEntry(entry))
        for (std::size_t i = 0; i < shellNames.size(); ++i)
            if (equals(shellNames[i], name))
                return static_cast<int>(i);
    return -1;
}

}  // namespace ostrel
