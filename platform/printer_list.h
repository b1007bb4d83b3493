// The application's list of printers, as the spooler enumerates them: on the NT family one entry
// per printer (a connection as \\server\printer), on the Windows 95 family one "printer. port"
// entry per port of each printer. Built on first read, kept until refreshed.
#pragma once

#include "platform/spooler.h"

#include <string>
#include <vector>

namespace ostrel {

// The device name is what stands before the first ". " of an entry (the Windows 95 family lists
// "printer. port"), or the whole entry when that is empty.
std::string DeviceNameOfEntry(const std::string& entry);
// The port in a printer's "devices" value of Win.ini ("driver,port"): all after the first comma.
std::string PortNameOfDevicesValue(const std::string& value);

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
