// The files --all writes: one name per printer entry.
#pragma once

#include <string>
#include <vector>

namespace ostrel {

// A file name for each entry, in the same order: the entry with the characters no Windows file
// name may hold replaced by '_', a reserved device name ("CON", "LPT1", ...) prefixed with '_',
// a long one shortened, and ".txt" appended. The names are valid on Windows wherever they are
// written and distinct even where letter case does not count: an entry whose name needed no
// change keeps it, and the others that would clash get " (2)", " (3)", ... before the extension.
std::vector<std::string> ReportFileNames(const std::vector<std::string>& entries);

}  // namespace ostrel
