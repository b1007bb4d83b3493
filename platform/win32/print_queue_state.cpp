#include "platform/win32/print_queue_state.h"

#include <winspool.h>

#include <memory>
#include <vector>

namespace ostrel {

namespace {

struct PrinterCloser {
    void operator()(HANDLE printer) const { ClosePrinter(printer); }
};
using OpenPrinterHandle = std::unique_ptr<void, PrinterCloser>;

// A record of the spooler's, asked for its size first; empty when the spooler has none.
template <typename Query>
std::vector<BYTE> RecordOf(Query query)
{
    DWORD needed = 0;
    query(nullptr, 0, &needed);
    if (needed == 0)
        return {};
    std::vector<BYTE> record(needed, 0);
    if (!query(record.data(), needed, &needed))
        return {};
    return record;
}

}  // namespace

PrintQueueState QueryPrintQueueState(const std::string& printerName, DWORD jobId)
{
    PrintQueueState state;
    std::string name = printerName;
    HANDLE opened = nullptr;
    PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
    if (!OpenPrinterA(name.data(), &opened, &defaults) || opened == nullptr)
        return state;
    const OpenPrinterHandle printer(opened);
    const std::vector<BYTE> info = RecordOf([&](BYTE* buffer, DWORD size, DWORD* needed) {
        return GetPrinterA(opened, 2, buffer, size, needed);
    });
    if (info.size() >= sizeof(PRINTER_INFO_2A))
        state.printerStatus = reinterpret_cast<const PRINTER_INFO_2A*>(info.data())->Status;
    if (jobId == 0)
        return state;
    const std::vector<BYTE> job = RecordOf([&](BYTE* buffer, DWORD size, DWORD* needed) {
        return GetJobA(opened, jobId, 1, buffer, size, needed);
    });
    if (job.size() >= sizeof(JOB_INFO_1A)) {
        const auto& record = *reinterpret_cast<const JOB_INFO_1A*>(job.data());
        state.jobStatus = record.Status;
        // The text lies in the record's buffer; anything else is not read.
        const auto* text = reinterpret_cast<const BYTE*>(record.pStatus);
        if (text >= job.data() && text < job.data() + job.size()) {
            const std::size_t room = static_cast<std::size_t>(job.data() + job.size() - text);
            const auto* begin = reinterpret_cast<const char*>(text);
            state.jobStatusText.assign(begin, strnlen(begin, room));
        }
    }
    return state;
}

}  // namespace ostrel
