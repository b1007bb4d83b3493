// Records everything the spooler and the driver answer for one printer into a printer description
// (the format the scripted spooler reads), so that the report can be rendered anywhere from it.
#pragma once

#include "platform/portable/description_values.h"
#include "platform/spooler.h"

#include <string>
#include <vector>

namespace ostrel {

// entry is a printer-list entry, as for a report. Driver garbage is recorded as what it is (a
// pointer outside its buffer, a list without its end, an unreadable text), never read through.
Json SnapshotPrinter(Spooler& spooler, const std::string& entry);

// Every entry's printer in one description: the system once, the printers in the entries' order.
Json SnapshotPrinters(Spooler& spooler, const std::vector<std::string>& entries);

}  // namespace ostrel
