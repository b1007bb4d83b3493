// What the spooler reports of a printer and of one of its jobs, asked when printing failed so that
// the user learns why.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ostrel {

struct PrintQueueState {
    std::optional<DWORD> printerStatus;  // PRINTER_INFO_2's status bits, when the printer could be asked
    std::optional<DWORD> jobStatus;      // JOB_INFO_1's status bits, while the spooler knows the job
    std::string jobStatusText;           // JOB_INFO_1's own status text, in the system code page
};

// jobId 0 asks about the printer alone. Nothing that cannot be asked is an error: it stays unknown.
PrintQueueState QueryPrintQueueState(const std::string& printerName, DWORD jobId);

}  // namespace ostrel
