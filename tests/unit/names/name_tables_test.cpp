#include "names/name_tables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {
namespace {

struct TableInfo {
    const char* label;
    const NameEntry* table;
    int rows;
};

const TableInfo kTables[] = {
    {"BooleanNames", BooleanNames, 2},
    {"DevModeFieldNames", DevModeFieldNames, 28},
    {"TrueTypeNames", TrueTypeNames, 4},
    {"BinAdjustNames", BinAdjustNames, 8},
    {"PaperNames", PaperNames, 119},
    {"BinNames", BinNames, 14},
    {"PrintRateUnitNames", PrintRateUnitNames, 4},
    {"MediaTypeNames", MediaTypeNames, 4},
    {"PrinterEnumFlagNames", PrinterEnumFlagNames, 19},
    {"PrinterAttributeNames", PrinterAttributeNames, 15},
    {"PrinterStatusNames", PrinterStatusNames, 25},
    {"PublishActionNames", PublishActionNames, 5},
    {"DriverVersionNames", DriverVersionNames, 4},
    {"DriverModeNames", DriverModeNames, 2},
    {"OrientationNames", OrientationNames, 2},
    {"PrintQualityNames", PrintQualityNames, 4},
    {"ColorModeNames", ColorModeNames, 2},
    {"DuplexNames", DuplexNames, 3},
    {"CollateNames", CollateNames, 2},
    {"NupNames", NupNames, 2},
    {"IcmMethodNames", IcmMethodNames, 5},
    {"IcmIntentNames", IcmIntentNames, 5},
    {"DitherTypeNames", DitherTypeNames, 11},
    {"DocInfoTypeNames", DocInfoTypeNames, 2},
};

int CountRows(const NameEntry* table) {
    int rows = 0;
    while (table[rows].name != nullptr) {
        ++rows;
    }
    return rows;
}

TEST(NameTablesTest, EveryTableHasItsRowsAndAZeroEndRow) {
    for (const TableInfo& info : kTables) {
        SCOPED_TRACE(info.label);
        const int rows = CountRows(info.table);
        EXPECT_EQ(rows, info.rows);
        EXPECT_EQ(info.table[rows].value, 0);
        EXPECT_EQ(info.table[rows].availability, 0);
    }
}

TEST(NameTablesTest, NamesThatAreEasyToGetWrong) {
    struct Case {
        const NameEntry* table;
        std::int32_t value;
        const char* name;
    };
    const Case cases[] = {
        {PaperNames, 1, "DMPAPER_LETTER"},
        {PaperNames, 9, "DMPAPER_A4"},
        {PaperNames, 41, "DMPAPER_FANFOLD_LGL_GERMAN"},
        {PaperNames, 42, "DMPAPER_ISO_B4"},
        {PaperNames, 48, "DMPAPER_RESERVED_48"},
        {PaperNames, 49, "DMPAPER_RESERVED_49"},
        {PaperNames, 50, "DMPAPER_LETTER_EXTRA"},
        {PaperNames, 89, "DMPAPER_B6_JIS_ROTATED"},
        {PaperNames, 118, "DMPAPER_PENV_10_ROTATED"},
        {PaperNames, 0x100, "DMPAPER_USER"},
        {BinNames, 0xB, "DMBIN_LARGECAPACITY"},
        {BinNames, 0xE, "DMBIN_CASSETTE"},
        {BinNames, 0xF, "DMBIN_FORMSOURCE"},
        {PrintRateUnitNames, 1, "PRINTRATEUNIT_PPM (pages per min.)"},
        {PrintRateUnitNames, 2, "PRINTRATEUNIT_CPS (characters per sec.)"},
        {PrintRateUnitNames, 3, "PRINTRATEUNIT_LPM (lines per min.)"},
        {PrintRateUnitNames, 4, "PRINTRATEUNIT_IPM (inches per min.)"},
        {DevModeFieldNames, 0x20, "DM_POSITION[2000]"},
        {DevModeFieldNames, 0x800000, "DM_ICMMETHOD[95]"},
        {DevModeFieldNames, 0x10000000, "DM_PANNINGHEIGHT[2000]"},
        {TrueTypeNames, 0x8, "DCTT_DOWNLOAD_OUTLINE[95]"},
        {BinAdjustNames, 0x103, "DCBA_FACEDOWNRIGHT"},
        {DriverVersionNames, 0, "Driver for Windows 95/98/Me"},
        {DriverVersionNames, 3, "Driver for Windows 2000/XP"},
        {DitherTypeNames, 0xA, "DMDITHER_GRAYSCALE"},
        {DocInfoTypeNames, 2, "DI_ROPS_READ_DESTINATION"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_STREQ(LookupName(c.value, c.table), c.name);
    }
}

TEST(NameTablesTest, PaperRowKHasValueK) {
    for (int k = 1; k <= 118; ++k) {
        EXPECT_EQ(PaperNames[k - 1].value, k);
    }
    EXPECT_EQ(PaperNames[118].value, 0x100);
}

// The mark in a name decides the availability; without one only the bin adjustments and the
// later paper sizes belong to the Windows 95 family.
TEST(NameTablesTest, AvailabilityFollowsTheMarkInTheName) {
    for (const TableInfo& info : kTables) {
        for (const NameEntry* row = info.table; row->name != nullptr; ++row) {
            SCOPED_TRACE(row->name);
            const std::string_view name = row->name;
            int expected = 0;
            if (name.find("[2000]") != std::string_view::npos) {
                expected = 2;
            } else if (name.find("[95]") != std::string_view::npos) {
                expected = 1;
            } else if (info.table == BinAdjustNames) {
                expected = 1;
            } else if (info.table == PaperNames && row->value >= 42 && row->value <= 118) {
                expected = 1;
            }
            EXPECT_EQ(row->availability, expected);
        }
    }
}

// Flags are decoded in table order, so a bit-set table must hold single bits in ascending order.
TEST(NameTablesTest, BitSetTablesHoldAscendingSingleBits) {
    for (const NameEntry* table : {DevModeFieldNames, TrueTypeNames, PrinterEnumFlagNames,
                                   PrinterAttributeNames, PrinterStatusNames, PublishActionNames}) {
        std::uint32_t previous = 0;
        for (const NameEntry* row = table; row->name != nullptr; ++row) {
            SCOPED_TRACE(row->name);
            const auto bits = static_cast<std::uint32_t>(row->value);
            EXPECT_NE(bits, 0u);
            EXPECT_EQ(bits & (bits - 1), 0u);
            EXPECT_GE(bits, previous);
            previous = bits;
        }
    }
}

TEST(NameLookupTest, LookupNameFindsTheFirstRowWithTheValue) {
    struct Case {
        const NameEntry* table;
        std::int32_t value;
        const char* name;
    };
    const Case cases[] = {
        {BooleanNames, 0, "No"},
        {BooleanNames, 1, "Yes"},
        {BooleanNames, 2, nullptr},
        {PaperNames, 0x200, nullptr},
        {PrinterEnumFlagNames, 0x4, "PRINTER_ENUM_CONNECTIONS"},
        {PrintQualityNames, -2, "DMRES_LOW"},
        {PrintQualityNames, 2, nullptr},
        {PublishActionNames, static_cast<std::int32_t>(0x80000000u), "DSPRINT_PENDING"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_STREQ(LookupName(c.value, c.table), c.name);
    }
}

// Takes flags the way the report lists them: from the start until none is left.
std::vector<std::string> TakeAll(std::uint32_t& remaining, const NameEntry* table, int previous) {
    std::vector<std::string> names;
    for (int i = TakeNextFlag(remaining, table, previous); i != -1;
         i = TakeNextFlag(remaining, table, i)) {
        names.emplace_back(table[i].name);
    }
    return names;
}

// A row of value 0, a row of two bits, and a later row for a bit the two-bit row already took.
const NameEntry kMixedBits[] = {
    {0x0, "NONE", 0},
    {0x3, "LOW_PAIR", 0},
    {0x4, "BIT2", 0},
    {0x1, "BIT0", 0},
    {0, nullptr, 0},
};

TEST(NameLookupTest, TakeNextFlagTakesEachNamedBitGroupOnce) {
    struct Case {
        const char* label;
        const NameEntry* table;
        std::uint32_t bits;
        int previous;
        std::vector<std::string> names;
        std::uint32_t remainder;
    };
    const Case cases[] = {
        {"two bits", PrinterStatusNames, 0x11, -1,
         {"PRINTER_STATUS_PAUSED", "PRINTER_STATUS_PAPER_OUT"}, 0},
        {"unnamed bit left over", PrinterStatusNames, 0x80000001u, -1, {"PRINTER_STATUS_PAUSED"},
         0x80000000u},
        {"duplicate value", PrinterEnumFlagNames, 0x4, -1, {"PRINTER_ENUM_CONNECTIONS"}, 0},
        {"sign bit named", PublishActionNames, 0x80000009u, -1,
         {"DSPRINT_PUBLISH", "DSPRINT_REPUBLISH", "DSPRINT_PENDING"}, 0},
        {"nothing set", PrinterStatusNames, 0, -1, {}, 0},
        {"nothing named", PrinterAttributeNames, 0xFFFF8000u, -1, {}, 0xFFFF8000u},
        {"starts after previous", PrinterStatusNames, 0x3, 0, {"PRINTER_STATUS_ERROR"}, 0x1},
        {"any bit of a group", kMixedBits, 0x5, -1, {"LOW_PAIR", "BIT2"}, 0},
        {"group takes all its bits", kMixedBits, 0x3, -1, {"LOW_PAIR"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::uint32_t remaining = c.bits;
        EXPECT_EQ(TakeAll(remaining, c.table, c.previous), c.names);
        EXPECT_EQ(remaining, c.remainder);
    }
}

}  // namespace
}  // namespace ostrel
