// The spooler's two-step record queries: the size first, with no buffer (that call fails by
// design, only the size it reports counts), then a zero-filled buffer of exactly that size.
#pragma once

#include "platform/spooler.h"
#include "platform/spooler_buffer.h"

#include <optional>

namespace ostrel {

// Nothing when the filling call fails; the spooler's last error then says why.
std::optional<SpoolerBuffer> QueryPrinterInfo(Spooler& spooler, PrinterHandle printer, DWORD level);
std::optional<SpoolerBuffer> QueryDriverInfo(Spooler& spooler, PrinterHandle printer, DWORD level);

}  // namespace ostrel
