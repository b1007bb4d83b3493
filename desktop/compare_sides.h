// What the compare command works with, apart from any window: the printers it offers as the other
// side, the reports of both sides as data, the text of their differences, and the texts that name
// the sides to the user.
#pragma once

#include "platform/portable/description_files.h"
#include "platform/spooler.h"
#include "report/structured_report.h"

#include <optional>
#include <string>
#include <vector>

namespace ostrel {

// The printers offered to compare a report with: the list's entries in its order, less the
// report's own printer (comparing it with itself says nothing).
std::vector<std::string> OtherPrinters(const std::vector<std::string>& entries, const std::string& own);

// The report of a printer as data, and why it could not be opened when it could not.
struct SideReport {
    StructuredReport items;
    std::optional<std::string> openFailure;
};

// A printer of the system's spooler.
SideReport ReportOfPrinter(Spooler& spooler, const std::string& entry);

// A printer description file (a snapshot): read once, its printers listed and reported from it.
class DescriptionFile {
public:
    // Throws std::runtime_error naming the file and what is wrong with it.
    explicit DescriptionFile(const std::string& path);

    // The entries of its printers, as the file's system lists them.
    std::vector<std::string> Printers();
    SideReport Report(const std::string& entry);

private:
    DescriptionFiles files_;
};

// "Same." or the differences grouped by section and label, B against A, exactly as the console
// tool's --compare writes them (CR LF line breaks).
std::string ComparisonText(const StructuredReport& a, const StructuredReport& b);

// One side of a comparison, kept so that a refresh can build it again: a printer of the system's
// spooler, or, with a file, a printer of that description file.
struct CompareSide {
    std::string entry;
    std::string file;  // empty for the system's printer
};

// A printer of a file is read from the file again; throws std::runtime_error when it cannot be.
SideReport ReportOfSide(const CompareSide& side, Spooler& system);

// The comparison made again from both sides, as a refresh shows it. When a side's file cannot be
// read any more, the text is one line that says why.
std::string ComparisonTextOfSides(const CompareSide& a, const CompareSide& b, Spooler& system);

// The last part of a path: a file's name without its folders.
std::wstring FileNameOf(const std::wstring& path);
// How a side is named to the user: the entry, and for a printer of a file the file's name after
// it, "PRN (snapshot.json)".
std::wstring SideName(const std::wstring& entry, const std::wstring& filePath = {});
// The compare window's caption: which side is A and which B, as the differences name them.
std::wstring CompareCaption(const std::wstring& a, const std::wstring& b);

}  // namespace ostrel
