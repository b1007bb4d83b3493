// The shape every spooler-record section shares, as one guarded block: its title, the two-step
// query, the not-supported marker when the spooler has no such record, and the listing under a
// guard of its own, so that the buffer is released only after a marker line for a fault in it.
#pragma once

#include "platform/spooler_queries.h"
#include "report/report_context.h"

namespace ostrel {

using RecordQuery = std::optional<SpoolerBuffer> (*)(Spooler&, PrinterHandle, DWORD);

template <class Listing>
void WriteRecordSection(ReportContext& context, const char* title, RecordQuery query, DWORD level, Listing&& listing)
{
    Guarded(context.writer, [&] {
        context.writer.AddSectionTitle(title);
        const std::optional<SpoolerBuffer> buffer = query(context.spooler, context.printer, level);
        if (!buffer) {
            context.writer.AddNotSupported();
            return;
        }
        Guarded(context.writer, [&] { listing(*buffer); });
    });
}

}  // namespace ostrel
