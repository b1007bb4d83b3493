// The printers of several description files, each kept on the system of the file it came from:
// that file's family, messages, current printer and code page answer for its printers.
#pragma once

#include "platform/portable/scripted_spooler.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace ostrel {

class DescriptionFiles {
public:
    // Throws std::runtime_error naming the file and what is wrong in it.
    void LoadFile(const std::string& path);

    std::size_t Count() const { return files_.size(); }
    ScriptedSpooler& System(std::size_t file) { return *files_[file].system; }
    const ScriptedSpooler& System(std::size_t file) const { return *files_[file].system; }
    const std::string& Path(std::size_t file) const { return files_[file].path; }

    struct Found {
        std::size_t file;
        std::string entry;
    };
    // The first file with the printer an entry names, and the entry as that file spells it: as
    // given, or, for an entry given in UTF-8, in the bytes of the file's code page. An entry that no
    // file knows stays as given and goes to the first file, where it opens no printer.
    Found Find(const std::string& entry) const;

private:
    struct File {
        std::string path;
        std::unique_ptr<ScriptedSpooler> system;
    };
    std::vector<File> files_;
};

}  // namespace ostrel
