// The application's list of printers, as the spooler enumerates them: on the NT family one entry
// per printer (a connection as \\server\printer), on the Windows 95 family one "printer. port"
// entry per port of each printer. Built on first read, kept until refreshed.
#pragma once

#include "platform/spooler.h"

#include <string>
#include <vector>

namespace ostrel {

class PrinterList {
public:
    explicit PrinterList(Spooler& spooler) : spooler_(spooler) {}

    const std::vector<std::string>& Entries();
    void Refresh() { built_ = false; }
    // Index of the first entry equal to text without regard to letter case; -1 if none.
    int IndexOf(const std::string& text);

private:
    void Build();

    Spooler& spooler_;
    std::vector<std::string> entries_;
    bool built_ = false;
};

}  // namespace ostrel
