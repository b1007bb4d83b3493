#include "platform/spooler_queries.h"

namespace ostrel {

std::optional<SpoolerBuffer> QueryPrinterInfo(Spooler& spooler, PrinterHandle printer, DWORD level)
{
    DWORD needed = 0;
    spooler.GetPrinterA(printer, level, nullptr, 0, &needed);
    SpoolerBuffer buffer(needed);
    if (!spooler.GetPrinterA(printer, level, buffer.Data(), needed, &needed))
        return std::nullopt;
    return buffer;
}

std::optional<SpoolerBuffer> QueryDriverInfo(Spooler& spooler, PrinterHandle printer, DWORD level)
{
    DWORD needed = 0;
    spooler.GetPrinterDriverA(printer, nullptr, level, nullptr, 0, &needed);
    SpoolerBuffer buffer(needed);
    if (!spooler.GetPrinterDriverA(printer, nullptr, level, buffer.Data(), needed, &needed))
        return std::nullopt;
    return buffer;
}

}  // namespace ostrel
