#include "console/report_file_names.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <string_view>

namespace ostrel {

namespace {

// Room for the folder, the suffix and the extension within the 260 characters of a Windows path.
constexpr std::size_t MaxStemBytes = 100;
constexpr std::string_view Extension = ".txt";

// Names the system keeps for devices, with or without an extension; the superscript digits are
// those of the Western code page.
constexpr std::string_view ReservedNames[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
constexpr std::string_view ReservedNumberedNames[] = {"COM", "LPT"};
constexpr std::string_view ReservedNameDigits = "0123456789\xb9\xb2\xb3";

unsigned char FoldCase(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 'a' + 'A');
    // Latin letters of the Western code page; folding a byte of another code page too far only
    // ever adds a suffix, never loses a file.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 0x20);
    if (c == 0x9A || c == 0x9C || c == 0x9E)
        return static_cast<unsigned char>(c - 0x10);
    if (c == 0xFF)
        return 0x9F;
    return c;
}

std::string Folded(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded)
        c = static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
    return folded;
}

// The system takes "CON", "con.txt" and "CON .log" alike for the device.
bool IsReservedName(std::string_view stem)
{
    std::string base = Folded(stem.substr(0, stem.find('.')));
    base.erase(base.find_last_not_of(' ') + 1);
    if (std::find(std::begin(ReservedNames), std::end(ReservedNames), base) != std::end(ReservedNames))
        return true;
    return base.size() == 4 &&
           std::find(std::begin(ReservedNumberedNames), std::end(ReservedNumberedNames), base.substr(0, 3)) !=
               std::end(ReservedNumberedNames) &&
           ReservedNameDigits.find(base[3]) != std::string_view::npos;
}

std::string StemOf(const std::string& entry)
{
    std::string stem = entry.empty() ? "printer" : entry;
    for (char& c : stem)
        if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos || static_cast<unsigned char>(c) < 0x20)
            c = '_';
    if (stem.size() > MaxStemBytes) {
        // Not inside a UTF-8 sequence, where a description file's names may be one.
        std::size_t cut = MaxStemBytes;
        while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80)
            --cut;
        stem.resize(cut);
    }
    if (IsReservedName(stem))
        stem.insert(0, 1, '_');
    return stem;
}

}  // namespace

std::vector<std::string> ReportFileNames(const std::vector<std::string>& entries)
{
    std::vector<std::string> stems;
    std::vector<std::string> names(entries.size());
    std::set<std::string> taken;
    // First the entries that are their own file name, so a renamed one never takes theirs.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        stems.push_back(StemOf(entries[i]));
        if (stems[i] == entries[i] && taken.insert(Folded(stems[i])).second)
            names[i] = stems[i] + std::string(Extension);
    }
    // Numbers below a stem's next one are all taken already: many printers of one stem are
    // numbered in one pass, not each from 2 again.
    std::map<std::string, int> nextNumbers;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!names[i].empty())
            continue;
        const std::string folded = Folded(stems[i]);
        std::string name = stems[i];
        if (!taken.insert(folded).second) {
            int& number = nextNumbers.try_emplace(folded, 2).first->second;
            do {
                name = stems[i] + " (" + std::to_string(number++) + ")";
            } while (!taken.insert(Folded(name)).second);
        }
        names[i] = name + std::string(Extension);
    }
    return names;
}

}  // namespace ostrel
