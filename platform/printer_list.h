// The application's list of printers, as the spooler enumerates them: on the NT family one entry
// per printer (a connection as \\server\printer), on the Windows 95 family one "printer. port"
// entry per port of each printer. Built on first read, kept until refreshed.
#pragma once

#include "platform/spooler.h"

#include <cstddef>
#include <string>
#include <vector>

namespace ostrel {

// The device name is what stands before the first ". " of an entry (the Windows 95 family lists
// "printer. port"), or the whole entry when that is empty.
std::string DeviceNameOfEntry(const std::string& entry);
// The port in a printer's "devices" value of Win.ini ("driver,port"): all after the first comma.
std::string PortNameOfDevicesValue(const std::string& value);

// A record of the spooler's enumeration that could not be read, so gave no entry.
struct BrokenRecord {
    std::size_t index;   // its place among the records the spooler returned
    std::string reason;  // what is wrong with it
};

class PrinterList {
public:
    explicit PrinterList(Spooler& spooler) : spooler_(spooler) {}

    // Every entry the spooler's records give; a broken record is left out and named by BrokenRecords.
    const std::vector<std::string>& Entries();
    const std::vector<BrokenRecord>& BrokenRecords();
    void Refresh() { built_ = false; }
    // Index of the first entry equal to text without regard to letter case; -1 if none.
    int IndexOf(const std::string& text);

private:
    void Build();

    Spooler& spooler_;
    std::vector<std::string> entries_;
    std::vector<BrokenRecord> broken_;
    bool built_ = false;
};

}  // namespace ostrel
