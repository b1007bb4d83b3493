#include "report/devmode_listing.h"

#include "platform/data_fault.h"
#include "platform/portable/description_values.h"
#include "platform/portable/memory_document.h"
#include "tests/unit/report/scripted_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace ostrel {
namespace {

using testing::LinesOf;

std::string Item(const std::string& label, const std::string& value)
{
    return label + std::string(24 - label.size(), ' ') + " : " + value;
}

std::unique_ptr<DevModeRecord> Record(const std::vector<BYTE>& bytes)
{
    return CopyDevMode(bytes.data(), bytes.size());
}

struct ListingTest : ::testing::Test {
    MemoryDocument document;
    ReportWriter writer{document};

    std::vector<std::string> List(const DevModeRecord* record)
    {
        AddDevModeItems(writer, record);
        return LinesOf(document.Text());
    }
    std::vector<std::string> List(const Json& description) { return List(Record(DevModeOfJson(description)).get()); }
};

TEST_F(ListingTest, NullRecordIsTheSingleLineNull)
{
    EXPECT_EQ(List(nullptr), std::vector<std::string>{"(null)"});
}

// dmFields names only orientation and paper size: the other fields are listed all the same.
TEST_F(ListingTest, FullRecordListsEveryFieldInItsFormThenThePrivateBytes)
{
    const std::vector<std::string> lines = List(Json{
        {"dmDeviceName", "Office Laser"}, {"dmSpecVersion", 0x0401}, {"dmDriverVersion", 0x0600},
        {"dmFields", 0x3}, {"dmOrientation", 1}, {"dmPaperSize", 9}, {"dmPaperLength", 2970},
        {"dmPaperWidth", 2100}, {"dmScale", 100}, {"dmCopies", 2}, {"dmDefaultSource", 7}, {"dmPrintQuality", 600},
        {"dmColor", 2}, {"dmDuplex", -1}, {"dmYResolution", 300}, {"dmTTOption", 3}, {"dmCollate", 1},
        {"dmFormName", "A4"}, {"dmLogPixels", 96}, {"dmBitsPerPel", 24}, {"dmPelsWidth", 4294967295u},
        {"dmPelsHeight", 0}, {"dmNup", 1}, {"dmDisplayFrequency", 60}, {"dmICMMethod", 2}, {"dmICMIntent", 1},
        {"dmMediaType", 1}, {"dmDitherType", 4294967295u}, {"dmReserved1", 0x1234}, {"dmReserved2", 0},
        {"dmPanningWidth", 5}, {"dmPanningHeight", 6}, {"extra", "4142434445464748494A4B4C4D4E4F5000"}});
    EXPECT_EQ(lines, (std::vector<std::string>{
                         Item("dmDeviceName", "Office Laser"),
                         Item("dmSpecVersion", "0x0401"),
                         Item("dmDriverVersion", "0x0600"),
                         Item("dmSize", "156 bytes"),
                         Item("dmDriverExtra", "17 bytes"),
                         Item("dmFields", "0x00000001: DM_ORIENTATION"),
                         Item("", "0x00000002: DM_PAPERSIZE"),
                         Item("dmOrientation", "0x00000001: DMORIENT_PORTRAIT"),
                         Item("dmPaperSize", "0x00000009: DMPAPER_A4"),
                         Item("dmPaperLength", "2970 (0.1mm)"),
                         Item("dmPaperWidth", "2100 (0.1mm)"),
                         Item("dmScale", "100 %"),
                         Item("dmCopies", "2 papers"),
                         Item("dmDefaultSource", "0x00000007: DMBIN_AUTO"),
                         Item("dmPrintQuality", "600 dpi"),
                         Item("dmColor", "0x00000002: DMCOLOR_COLOR"),
                         Item("dmDuplex", "0xffffffff: (null)"),
                         Item("dmYResolution", "300 dpi"),
                         Item("dmTTOption", "0x00000001: DCTT_BITMAP"),
                         Item("", "0x00000002: DCTT_DOWNLOAD"),
                         Item("dmCollate", "0x00000001: DMCOLLATE_TRUE"),
                         Item("dmFormName[NT]", "A4"),
                         Item("dmLogPixels[D]", "96 pixels per logical inch"),
                         Item("dmBitsPerPel[D]", "24 bits per pixel"),
                         Item("dmPelsWidth[D]", "4294967295 pixels"),
                         Item("dmPelsHeight[D]", "0 pixels"),
                         Item("dmNup", "0x00000001: DMNUP_SYSTEM"),
                         Item("dmDisplayFrequency[D]", "60 Hz"),
                         Item("dmICMMethod[95]", "0x00000002: DMICMMETHOD_SYSTEM"),
                         Item("dmICMIntent[95]", "0x00000001: DMICM_SATURATE"),
                         Item("dmMediaType[95]", "0x00000001: DMMEDIA_STANDARD"),
                         Item("dmDitherType[95]", "0xffffffff: (null)"),
                         Item("dmReserved1[NOT USED]", "0x00001234"),
                         Item("dmReserved2[NOT USED]", "0x00000000"),
                         Item("dmPanningWidth[NT]", "5 pixels(?)"),
                         Item("dmPanningHeight[NT]", "6 pixels(?)"),
                         Item("Extra",
                              "0000 (009C) : 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 : ABCDEFGHIJKLMNOP"),
                         Item("", "0010 (00AC) : 00                                              : ."),
                     }));
}

TEST_F(ListingTest, PrintQualityIsATableCodeWhenNegativeAndAResolutionOtherwise)
{
    const struct {
        int quality;
        const char* value;
    } cases[] = {{-3, "0xfffffffd: DMRES_MEDIUM"}, {-1, "0xffffffff: DMRES_DRAFT"}, {0, "0 dpi"}, {600, "600 dpi"}};
    for (const auto& c : cases) {
        document.Clear();
        const std::vector<std::string> lines = List(Json{{"dmPrintQuality", c.quality}});
        EXPECT_EQ(lines.at(13), Item("dmPrintQuality", c.value)) << c.quality;
    }
}

constexpr const char* PresentLabels[] = {
    "dmFormName[NT]",   "dmLogPixels[D]",        "dmBitsPerPel[D]",       "dmPelsWidth[D]",     "dmPelsHeight[D]",
    "dmNup",            "dmDisplayFrequency[D]", "dmICMMethod[95]",       "dmICMIntent[95]",    "dmMediaType[95]",
    "dmDitherType[95]", "dmReserved1[NOT USED]", "dmReserved2[NOT USED]", "dmPanningWidth[NT]", "dmPanningHeight[NT]",
};
constexpr const char* AbsentLabels[] = {
    "dmFormName",   "dmLogPixels", "dmBitsPerPel", "dmPelsWidth",    "dmPelsHeight",
    "dmNup",        "dmDisplayFrequency", "dmICMMethod",    "dmICMIntent",  "dmMediaType",
    "dmDitherType", "dmReserved1", "dmReserved2",  "dmPanningWidth", "dmPanningHeight",
};

// Each size-dependent field is decided by itself against dmSize. With every bit set empty the
// 19 fixed fields take one line each.
TEST_F(ListingTest, SizeDependentFieldsAreListedAsFarAsDmSizeCoversThem)
{
    const struct {
        int dmSize;
        std::size_t listed;
    } cases[] = {{156, 15}, {148, 13}, {102, 1}, {101, 0}, {70, 0}, {200, 15}};
    for (const auto& c : cases) {
        document.Clear();
        const std::vector<std::string> lines = List(Json{{"dmSize", c.dmSize}, {"dmFormName", "Letter"}});
        ASSERT_EQ(lines.size(), 19u + 15u) << c.dmSize;
        EXPECT_EQ(lines[3], Item("dmSize", std::to_string(c.dmSize) + " bytes"));
        for (std::size_t i = 0; i < 15; ++i) {
            const std::string& line = lines[19 + i];
            if (i < c.listed)
                EXPECT_EQ(line.substr(0, 27), Item(PresentLabels[i], "")) << c.dmSize;
            else
                EXPECT_EQ(line, Item(AbsentLabels[i], "*** NOT SUPPORTED ***")) << c.dmSize;
        }
        if (c.listed > 0) {
            EXPECT_EQ(lines[19], Item("dmFormName[NT]", "Letter"));
        }
    }
}

// A name that fills its field has no terminating zero; the version numbers after it are not part of it.
TEST_F(ListingTest, NamesEndWithTheirFieldsWithoutATerminatingZero)
{
    const std::string full(32, 'N');
    const std::vector<std::string> lines =
        List(Json{{"dmDeviceName", full}, {"dmSpecVersion", 0x4141}, {"dmFormName", full}, {"dmLogPixels", 0x4141}});
    EXPECT_EQ(lines[0], Item("dmDeviceName", full));
    EXPECT_EQ(lines[19], Item("dmFormName[NT]", full));
}

// The private bytes start at dmSize; what lies between the end of the layout and dmSize is shown nowhere.
TEST_F(ListingTest, PrivateBytesAreDumpedFromDmSizeOn)
{
    std::vector<BYTE> bytes = DevModeOfJson(Json{{"dmSize", 160}, {"extra", "ABCD"}});
    std::fill(bytes.begin() + 156, bytes.begin() + 160, BYTE{0xEE});
    const std::vector<std::string> lines = List(Record(bytes).get());
    EXPECT_EQ(lines.back(), Item("Extra", "0000 (00A0) : AB CD" + std::string(42, ' ') + " : .."));
    for (const std::string& line : lines)
        EXPECT_EQ(line.find("EE"), std::string::npos) << line;
}

// The record holds only what its dmSize and dmDriverExtra say: the fields inside it are listed,
// and reaching the first one beyond it is a fault rather than a read past the copy.
TEST_F(ListingTest, RecordShorterThanTheFixedPartListsWhatFitsThenFaults)
{
    const std::unique_ptr<DevModeRecord> record = Record(DevModeOfJson(Json{{"dmSize", 50}, {"dmPaperLength", 2970}}));
    EXPECT_THROW(AddDevModeItems(writer, record.get()), DataFault);
    const std::vector<std::string> lines = LinesOf(document.Text());
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines.back(), Item("dmPaperLength", "2970 (0.1mm)"));
}

}  // namespace
}  // namespace ostrel
