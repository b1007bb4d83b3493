#include "report/devmode_sections.h"

#include "tests/unit/report/scripted_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace ostrel {
namespace {

using testing::LinesOf;
using testing::Section;

constexpr char DefaultTitle[] = "Default DEVMODE (PRINTER_INFO_2)";
constexpr char UserTitle[] = "User default DEVMODE (PRINTER_INFO_8 [2000])";
constexpr char GlobalTitle[] = "Global default DEVMODE (PRINTER_INFO_9 [2000])";
constexpr char DocumentTitle[] = "DEVMODE (DocumentProperties)";
constexpr char CurrentTitle[] = "Current DEVMODE (TPrinter)";
constexpr char NotSupported[] = "*** NOT SUPPORTED ***";
constexpr char Exception[] = "*** EXCEPTION OCCURRED ***";

std::string Title(const char* title)
{
    return std::string("- ") + title + " -";
}

// The non-blank lines of the device-mode sections for the printer (named device) as described.
std::vector<std::string> Written(Json printer, Json system = Json::object(), bool open = true,
                                 const std::string& device = "P")
{
    return testing::WrittenSections(WriteDevModeSections, std::move(printer), std::move(system), open, device);
}

Json PrinterInfo(const Json& level2, const Json& level8, const Json& level9)
{
    Json levels = Json::object();
    for (const auto& [level, devMode] : {std::pair{"2", level2}, {"8", level8}, {"9", level9}})
        if (!devMode.is_discarded())
            levels[level] = Json{{"pDevMode", devMode}};
    return levels;
}

const Json Missing = Json::value_t::discarded;

// A listed record: its title, then its 34 fields starting with the device name.
void ExpectListed(const std::vector<std::string>& section, const std::string& deviceName)
{
    ASSERT_GE(section.size(), 35u);
    EXPECT_EQ(section[1], "dmDeviceName             : " + deviceName);
}

const Json Laser = {{"dmDeviceName", "Laser"}, {"dmPaperSize", 9}, {"extra", "0102"}};
const Json Other = {{"dmDeviceName", "Laser"}, {"dmPaperSize", 1}, {"extra", "0102"}};

TEST(DevModeSections, LaterSourcesNameTheFirstEarlierSourceWithAnEqualRecord)
{
    const std::vector<std::string> lines =
        Written(Json{{"printer_info", PrinterInfo(Laser, Laser, Other)},
                     {"document_properties", {{"devmode", Laser}}}},
                Json{{"current_printer", {{"name", "P"}, {"devmode", Other}}}});
    ExpectListed(Section(lines, DefaultTitle), "Laser");
    EXPECT_EQ(Section(lines, UserTitle), (std::vector<std::string>{Title(UserTitle), "Same as Default"}));
    ExpectListed(Section(lines, GlobalTitle), "Laser");
    // Equal to the user default too, but the default comes first.
    EXPECT_EQ(Section(lines, DocumentTitle), (std::vector<std::string>{Title(DocumentTitle), "Same as Default"}));
    EXPECT_EQ(Section(lines, CurrentTitle), (std::vector<std::string>{Title(CurrentTitle), "Same as Global default"}));
}

TEST(DevModeSections, AbsentRecordsNeverEqualEachOtherOrAnything)
{
    const std::vector<std::string> lines =
        Written(Json{{"printer_info", PrinterInfo(Missing, nullptr, nullptr)},
                     {"document_properties", {{"devmode", Laser}}}},
                Json{{"current_printer", {{"name", "P"}, {"devmode", Laser}}}});
    EXPECT_EQ(Section(lines, DefaultTitle), (std::vector<std::string>{Title(DefaultTitle), NotSupported}));
    EXPECT_EQ(Section(lines, UserTitle), (std::vector<std::string>{Title(UserTitle), "(null)"}));
    EXPECT_EQ(Section(lines, GlobalTitle), (std::vector<std::string>{Title(GlobalTitle), "(null)"}));
    ExpectListed(Section(lines, DocumentTitle), "Laser");
    EXPECT_EQ(Section(lines, CurrentTitle),
              (std::vector<std::string>{Title(CurrentTitle), "Same as DocumentProperties"}));
}

// Nothing else answers, so the report ends with the DocumentProperties marker and whatever the
// current printer adds.
TEST(DevModeSections, CurrentSourceAppearsOnlyForThisPrinter)
{
    const std::vector<std::string> documentFailed = {Title(DocumentTitle), NotSupported};
    const struct {
        const char* what;
        const char* device;
        Json current;
        std::vector<std::string> after;
    } cases[] = {
        {"another printer", "P", {{"name", "Q"}, {"devmode", Laser}}, {}},
        {"the name in other letter case", "P", {{"name", "p"}, {"devmode", Laser}}, {}},
        {"no printer at all", "P", nullptr, {}},
        {"no printer at all, for an empty device name", "", nullptr, {}},
        {"a query that fails", "P", {{"error", "no printers"}}, {Exception}},
        {"this printer without a device mode", "P", {{"name", "P"}}, {Title(CurrentTitle), "(null)"}},
    };
    for (const auto& c : cases) {
        const Json system = c.current.is_null() ? Json::object() : Json{{"current_printer", c.current}};
        const std::vector<std::string> lines = Written(Json::object(), system, true, c.device);
        std::vector<std::string> expected = documentFailed;
        expected.insert(expected.end(), c.after.begin(), c.after.end());
        ASSERT_GE(lines.size(), expected.size()) << c.what;
        EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<std::ptrdiff_t>(expected.size()), lines.end()),
                  expected)
            << c.what;
    }
}

TEST(DevModeSections, UnopenedPrinterGivesTheMarkerForEverySource)
{
    const std::vector<std::string> lines =
        Written(Json{{"open_error", 5},
                     {"printer_info", PrinterInfo(Laser, Laser, Laser)},
                     {"document_properties", {{"devmode", Laser}}}},
                Json::object(), false);
    EXPECT_EQ(lines, (std::vector<std::string>{Title(DefaultTitle), NotSupported, Title(UserTitle), NotSupported,
                                               Title(GlobalTitle), NotSupported, Title(DocumentTitle),
                                               NotSupported}));
}

TEST(DevModeSections, DriverRecordThatFailsIsNotListed)
{
    const struct {
        const char* what;
        Json properties;
    } cases[] = {
        {"size query fails", nullptr},
        {"filling call fails", {{"devmode", Laser}, {"fill_result", -1}}},
    };
    for (const auto& c : cases) {
        Json printer = Json::object();
        if (!c.properties.is_null())
            printer["document_properties"] = c.properties;
        EXPECT_EQ(Section(Written(printer), DocumentTitle), (std::vector<std::string>{Title(DocumentTitle), NotSupported}))
            << c.what;
    }
}

// The driver's record is the whole buffer of the size it asked for: every field inside that buffer
// is listed, whatever the record's own sizes say.
TEST(DevModeSections, DriverRecordIsTheWholeBufferItFilled)
{
    // dmSize 60 in a full record: dmCollate lies past dmSize, inside the buffer.
    std::vector<BYTE> bytes = DevModeOfJson(Json{{"dmDeviceName", "Short"}, {"dmCollate", 1}});
    bytes[36] = 60;
    const Json shortRecord = {{"hex", HexOfBytes(bytes.data(), bytes.size())}};
    const std::vector<std::string> inside =
        Section(Written(Json{{"document_properties", {{"devmode", shortRecord}}}}), DocumentTitle);
    ExpectListed(inside, "Short");
    EXPECT_NE(std::find(inside.begin(), inside.end(), "dmCollate                : 0x00000001: DMCOLLATE_TRUE"),
              inside.end());
    EXPECT_EQ(inside.back(), "dmPanningHeight          : *** NOT SUPPORTED ***");

    // A buffer cut short of the record: the fields inside it, then the marker.
    const std::vector<std::string> cut =
        Section(Written(Json{{"document_properties", {{"devmode", Laser}, {"size", 100}}}}), DocumentTitle);
    ASSERT_GE(cut.size(), 3u);
    EXPECT_EQ(cut[1], "dmDeviceName             : Laser");
    EXPECT_EQ(cut[cut.size() - 2].substr(0, 9), "dmCollate");
    EXPECT_EQ(cut.back(), Exception);

    // A size of 0 is an empty record, listed as far as it goes: not even the device name.
    EXPECT_EQ(Section(Written(Json{{"document_properties", {{"devmode", {{"hex", ""}}}, {"size", 0}}}}), DocumentTitle),
              (std::vector<std::string>{Title(DocumentTitle), Exception}));

    // Bytes past the record do not keep it from equalling an earlier one.
    const std::vector<std::string> larger = Written(Json{{"printer_info", PrinterInfo(Laser, Missing, Missing)},
                                                         {"document_properties", {{"devmode", Laser}, {"size", 400}}}});
    EXPECT_EQ(Section(larger, DocumentTitle), (std::vector<std::string>{Title(DocumentTitle), "Same as Default"}));
}

Json Truncated(const Json& devMode, std::size_t size)
{
    const std::vector<BYTE> bytes = DevModeOfJson(devMode);
    return Json{{"hex", HexOfBytes(bytes.data(), size)}};
}

// A record that claims more than the memory it lies in is not copied; its slot stays empty, so a
// later equal source is listed rather than folded into it.
TEST(DevModeSections, RecordLargerThanItsMemoryGivesTheMarkerAndLeavesItsSlotEmpty)
{
    const std::vector<std::string> lines =
        Written(Json{{"printer_info", PrinterInfo(Truncated(Laser, 100), Laser, {{"outside", true}})}},
                Json{{"current_printer", {{"name", "P"}, {"devmode", Truncated(Laser, 157)}}}});
    EXPECT_EQ(Section(lines, DefaultTitle), (std::vector<std::string>{Title(DefaultTitle), Exception}));
    ExpectListed(Section(lines, UserTitle), "Laser");
    EXPECT_EQ(Section(lines, GlobalTitle), (std::vector<std::string>{Title(GlobalTitle), Exception}));
    EXPECT_EQ(Section(lines, CurrentTitle), (std::vector<std::string>{Title(CurrentTitle), Exception}));
}

// dmSize 50: the fields inside the record are listed, the first one beyond it ends the section
// with the marker; an equal short record is the same, compared in the bytes both hold.
TEST(DevModeSections, RecordShorterThanTheFixedPartShowsWhatFitsThenTheMarker)
{
    const Json shortRecord = {{"dmDeviceName", "Short"}, {"dmSize", 50}};
    const std::vector<std::string> lines =
        Written(Json{{"printer_info", PrinterInfo(Laser, shortRecord, shortRecord)}});
    const std::vector<std::string> user = Section(lines, UserTitle);
    ASSERT_EQ(user.size(), 11u);
    EXPECT_EQ(user[1], "dmDeviceName             : Short");
    EXPECT_EQ(user[9], "dmPaperLength            : 0 (0.1mm)");
    EXPECT_EQ(user[10], Exception);
    EXPECT_EQ(Section(lines, GlobalTitle), (std::vector<std::string>{Title(GlobalTitle), "Same as User default"}));
    EXPECT_EQ(Section(lines, DocumentTitle), (std::vector<std::string>{Title(DocumentTitle), NotSupported}));
}

}  // namespace
}  // namespace ostrel
