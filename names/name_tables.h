// Constant tables that map platform values to the names of their constants, and the two ways of
// reading them: one value, or a bit set taken apart group by group.
#pragma once

#include <cstdint>

namespace ostrel {

struct NameEntry {
    std::int32_t value;
    const char* name;          // null only in the end row
    std::int32_t availability; // 0 any system, 1 Windows 95 family and later, 2 Windows 2000 and later
};

// Every table ends with a row whose name is null.
extern const NameEntry BooleanNames[];
extern const NameEntry DevModeFieldNames[];
extern const NameEntry TrueTypeNames[];
extern const NameEntry BinAdjustNames[];
extern const NameEntry PaperNames[];
extern const NameEntry BinNames[];
extern const NameEntry PrintRateUnitNames[];
extern const NameEntry MediaTypeNames[];
extern const NameEntry PrinterEnumFlagNames[];
extern const NameEntry PrinterAttributeNames[];
extern const NameEntry PrinterStatusNames[];
extern const NameEntry PublishActionNames[];
extern const NameEntry DriverVersionNames[];
extern const NameEntry DriverModeNames[];
extern const NameEntry OrientationNames[];
extern const NameEntry PrintQualityNames[];
extern const NameEntry ColorModeNames[];
extern const NameEntry DuplexNames[];
extern const NameEntry CollateNames[];
extern const NameEntry NupNames[];
extern const NameEntry IcmMethodNames[];
extern const NameEntry IcmIntentNames[];
extern const NameEntry DitherTypeNames[];
extern const NameEntry DocInfoTypeNames[];

// The name of the first row whose value equals value (as a 32-bit pattern); null when none does.
const char* LookupName(std::int32_t value, const NameEntry* table);

// Index of the next row after previous (-1 to start) sharing a bit with remaining, whose bits are
// then all cleared from remaining; -1 when there is none (remaining is then unchanged).
int TakeNextFlag(std::uint32_t& remaining, const NameEntry* table, int previous);

}  // namespace ostrel
