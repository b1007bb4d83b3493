// The printers the console tool works on: the system spooler's, or those of each description file,
// each on the system it was captured on.
#pragma once

#include "platform/portable/description_files.h"
#include "platform/spooler.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

namespace ostrel {

class PrinterSystems {
public:
    explicit PrinterSystems(Spooler& system) : spoolers_{&system} {}
    explicit PrinterSystems(DescriptionFiles& files);

    std::size_t Count() const { return spoolers_.size(); }
    Spooler& At(std::size_t system) const { return *spoolers_[system]; }

    // The description file a system came from; null for the system's own spooler.
    const std::string* FileOf(std::size_t system) const { return files_ != nullptr ? &files_->Path(system) : nullptr; }

    // The system whose printer an entry names, and the entry as that system spells it.
    std::pair<Spooler*, std::string> Locate(const std::string& entry) const;

    // The entries of a system's printer list. A record that gave none is named on err, with the
    // file and the printer it belongs to where they are known.
    std::vector<std::string> Entries(std::size_t system, std::ostream& err) const;

    // An entry as a file name or a line of the list spells it: on Windows the entry itself, which
    // is in the system's code page; elsewhere UTF-8, converted from the code page of its system.
    std::string Readable(std::size_t system, const std::string& entry) const;

private:
    DescriptionFiles* files_ = nullptr;
    std::vector<Spooler*> spoolers_;
};

}  // namespace ostrel
