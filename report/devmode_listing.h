// One device mode as item lines, field by field in record order, then its driver-private bytes.
#pragma once

#include "report/devmode_record.h"
#include "report/report_writer.h"

namespace ostrel {

// A null record gives the single line "(null)". A field that dmSize does not cover is shown with
// the not-supported marker; a field beyond the bytes the record holds raises DataFault when it is
// reached, after the lines of the fields before it.
void AddDevModeItems(ReportWriter& writer, const DevModeRecord* record);

}  // namespace ostrel
