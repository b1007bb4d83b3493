#include "tests/unit/report/scripted_printer.h"

#include <gtest/gtest.h>

#include <utility>

namespace ostrel {
namespace {

using testing::ScriptedReport;
using testing::Section;

std::vector<std::string> Capabilities(Json capabilities, Json system = Json::object())
{
    ScriptedReport report(Json{{"capabilities", std::move(capabilities)}}, std::move(system));
    return Section(report.Build(), "Ostrel");
}

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines, const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& line : lines)
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line);
    return found;
}

TEST(CapabilitySection, DriverAnsweringMinusOneEverywhereGivesThirtyOneNotSupportedLines)
{
    const std::vector<std::string> lines = Capabilities(Json::object());
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[0], "- Ostrel -");
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].substr(24), " : *** NOT SUPPORTED ***") << lines[i];
    EXPECT_EQ(lines[1].substr(0, 24), "DC_FIELDS               ");
    EXPECT_EQ(lines[3].substr(0, 24), "DC_MINEXTENT            ");
    EXPECT_EQ(lines[18].substr(0, 24), "DC_DATATYPE_PRODUCED[95]");
    EXPECT_EQ(lines[31].substr(0, 24), "DC_MEDIATYPES[XP]       ");
}

TEST(CapabilitySection, PaperListLinesUpEntriesUnderOneLabel)
{
    const std::string longName(64, 'N');
    const std::vector<std::string> lines = Capabilities({
        {"DC_PAPERNAMES", {"A4", "Odd", longName + "cut"}},
        {"DC_PAPERS", {9, 0x200, 1}},
        {"DC_PAPERSIZE", {{2100, 2970}, {-1, 99999}, {2159, 2794}}},
    });
    EXPECT_EQ(LinesStartingWith(lines, "DC_PAPERS")[0],
              "DC_PAPERS                : [    9:DMPAPER_A4                           ]  2100 *  2970 (0.1mm) A4");
    const auto at = std::find(lines.begin(), lines.end(), LinesStartingWith(lines, "DC_PAPERS")[0]);
    EXPECT_EQ(at[1], "                         : [  512:(null)                               ]    -1 * 99999 (0.1mm) Odd");
    EXPECT_EQ(at[2], "                         : [    1:DMPAPER_LETTER                       ]  2159 *  2794 (0.1mm) " + longName);
}

TEST(CapabilitySection, SingleValuesAndExtentsTakeTheirForms)
{
    const std::vector<std::string> lines = Capabilities({
        {"DC_VERSION", 1024}, {"DC_MANUFACTURER", 1024}, {"DC_MINEXTENT", (1500 << 16) | 1000},
        {"DC_MAXEXTENT", static_cast<std::int32_t>(0xFFFE0001u)}, {"DC_DUPLEX", 2}, {"DC_TRUETYPE", 5},
    });
    const std::vector<std::string> expected = {
        "DC_VERSION               : 0x00000400",
        "DC_MANUFACTURER[95]      : 1024",
        "DC_MINEXTENT             :  1000 *  1500 (0.1mm)",
        "DC_MAXEXTENT             :     1 *    -2 (0.1mm)",
        "DC_DUPLEX                : 0x00000002: (null)",
        "DC_TRUETYPE              : 0x00000001: DCTT_BITMAP",
        "                         : 0x00000004: DCTT_SUBDEV",
    };
    for (const std::string& line : expected)
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
}

TEST(CapabilitySection, BinsResolutionsNamesNupAndMediaTypes)
{
    const std::vector<std::string> lines = Capabilities({
        {"DC_BINNAMES", {"Tray 1", "A bin name of 24 chars!!cut"}},
        {"DC_BINS", {1, 300}},
        {"DC_ENUMRESOLUTIONS", {{600, 300}}},
        {"DC_FILEDEPENDENCIES", {"a.ppd", "b.dll"}},
        {"DC_NUP", {1, 16}},
        {"DC_MEDIATYPENAMES", {"Plain \u00e9", "Photo \u3042"}},
        {"DC_MEDIATYPES", {1, 0x101}},
    });
    const std::vector<std::string> expected = {
        "DC_BINS                  : [  1:DMBIN_UPPER        ] Tray 1",
        "                         : [300:(null)             ] A bin name of 24 chars!!",
        "DC_ENUMRESOLUTIONS       :   600 *   300 dpi",
        "DC_FILEDEPENDENCIES      : a.ppd",
        "                         : b.dll",
        "DC_NUP[2000]             :   1 pages per printed page",
        "                         :  16 pages per printed page",
        "DC_MEDIATYPES[XP]        : Plain \xe9" + std::string(57, ' ') + " [  1:DMMEDIA_STANDARD                     ]",
        "                         : Photo ?" + std::string(57, ' ') + " [257:(null)                               ]",
    };
    for (const std::string& line : expected)
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
}

// The record's size is read against the layout the printer was captured in, whatever the build: a
// file without one was written by hand, or by the 32-bit program.
TEST(CapabilitySection, ProducedDataTypesShowWhatTheRecordSizeCoversInTheCapturedLayout)
{
    const struct {
        Json system;
        int dataTypeEnd;
        int typeEnd;
    } layouts[] = {
        {Json::object(), 16, 20},
        {{{"layout", "win32"}}, 16, 20},
        {{{"layout", "win64"}}, 32, 36},
    };
    for (const auto& layout : layouts) {
        Json records = Json::array();
        for (const int size : {layout.dataTypeEnd - 1, layout.dataTypeEnd, layout.typeEnd}) {
            records.push_back(
                {{"cbSize", size}, {"lpszDocName", "doc"}, {"lpszOutput", nullptr}, {"lpszDatatype", "RAW"}, {"fwType", 1}});
        }
        const std::vector<std::string> lines = Capabilities({{"DC_DATATYPE_PRODUCED", records}}, layout.system);
        const auto first = std::find_if(lines.begin(), lines.end(),
                                        [](const std::string& l) { return l.rfind("DC_DATATYPE_PRODUCED", 0) == 0; });
        ASSERT_LE(first + 3, lines.end()) << layout.system;
        const auto size = [](int bytes) { return (bytes < 10 ? " " : "") + std::to_string(bytes) + " bytes: doc, (null)"; };
        EXPECT_EQ(std::vector<std::string>(first, first + 3),
                  (std::vector<std::string>{
                      "DC_DATATYPE_PRODUCED[95] : " + size(layout.dataTypeEnd - 1),
                      "                         : " + size(layout.dataTypeEnd) + ", RAW",
                      "                         : " + size(layout.typeEnd) + ", RAW [1:DI_APPBANDING           ]",
                  }))
            << layout.system;
    }
}

// A driver whose list grew between the two calls answers the filling call with more entries than
// it counted: the counted ones are listed.
TEST(CapabilitySection, GrowingListShowsTheCountedEntries)
{
    const auto grown = [](Json entries) { return Json{{"answer", 2}, {"fill_answer", 3}, {"entries", entries}}; };
    const std::vector<std::string> lines = Capabilities({
        {"DC_PAPERNAMES", grown({"A4", "A5", "A6"})},
        {"DC_PAPERS", grown({9, 11, 12})},
        {"DC_PAPERSIZE", grown({{2100, 2970}, {1480, 2100}, {1050, 1480}})},
    });
    EXPECT_EQ(LinesStartingWith(lines, "DC_PAPERS ").size(), 1u);
    const auto first = std::find(lines.begin(), lines.end(), LinesStartingWith(lines, "DC_PAPERS ")[0]);
    EXPECT_EQ(first[1], "                         : [   11:DMPAPER_A5                           ]  1480 *  2100 (0.1mm) A5");
    EXPECT_EQ(first[2].substr(0, 12), "DC_MINEXTENT");
}

// Faults of a list end that list with the marker; the section goes on with the next item.
TEST(CapabilitySection, DriverGarbageEndsOnlyTheListItAppearsIn)
{
    const struct {
        const char* name;
        Json capabilities;
        std::vector<std::string> expected;  // the lines from the list's first line on, up to DC_DUPLEX
    } cases[] = {
        {"companion array answered -1",
         {{"DC_PAPERS", {9}}, {"DC_PAPERSIZE", {{2100, 2970}}}},
         {"*** EXCEPTION OCCURRED ***"}},
        {"companion array shorter than the deciding count",
         {{"DC_PAPERNAMES", {"A4"}}, {"DC_PAPERS", {9}}, {"DC_PAPERSIZE", {{2100, 2970}, {1, 1}}}},
         {"DC_PAPERS                : [    9:DMPAPER_A4                           ]  2100 *  2970 (0.1mm) A4",
          "*** EXCEPTION OCCURRED ***"}},
        {"count below -1", {{"DC_PAPERNAMES", -5}, {"DC_PAPERS", {9}}, {"DC_PAPERSIZE", {{1, 1}}}},
         {"*** EXCEPTION OCCURRED ***"}},
        {"count times entry size overflows", {{"DC_PAPERNAMES", 0x7FFFFFFF}}, {"*** EXCEPTION OCCURRED ***"}},
        {"deciding count 0 writes nothing", {{"DC_PAPERS", Json::array()}, {"DC_PAPERSIZE", Json::array()}}, {}},
    };
    for (const auto& c : cases) {
        Json capabilities = c.capabilities;
        capabilities["DC_DUPLEX"] = 1;
        capabilities["DC_MINEXTENT"] = 1;
        capabilities["DC_MAXEXTENT"] = 1;
        capabilities["DC_BINS"] = Json::array();
        const std::vector<std::string> lines = Capabilities(capabilities);
        const auto first = lines.begin() + 2;  // after the title and DC_FIELDS
        const auto extents = std::find_if(first, lines.end(), [](const std::string& l) { return l.rfind("DC_MINEXTENT", 0) == 0; });
        EXPECT_EQ(std::vector<std::string>(first, extents), c.expected) << c.name;
        EXPECT_NE(std::find(lines.begin(), lines.end(), "DC_DUPLEX                : 0x00000001: Yes"), lines.end()) << c.name;
    }
}

// Counts whose buffers pass any real driver's end their item with the marker before anything is
// allocated: one that a 32-bit size still holds, one of some million entries.
TEST(CapabilitySection, CountBeyondAnyRealDriverFaultsOnlyItsItem)
{
    const std::vector<std::string> lines =
        Capabilities({{"DC_FILEDEPENDENCIES", 1100000}, {"DC_NUP", 1073741815}, {"DC_TRUETYPE", 1}});
    const auto next = [&](const std::string& prefix) {
        const auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
        return lines.end() - at < 3 ? std::vector<std::string>{} : std::vector<std::string>(at + 1, at + 3);
    };
    EXPECT_EQ(next("DC_ENUMRESOLUTIONS"), (std::vector<std::string>{"*** EXCEPTION OCCURRED ***",
                                                                    "DC_TRUETYPE              : 0x00000001: DCTT_BITMAP"}));
    EXPECT_EQ(next("DC_COLORDEVICE"), (std::vector<std::string>{"*** EXCEPTION OCCURRED ***",
                                                                "DC_MEDIATYPES[XP]        : *** NOT SUPPORTED ***"}));
}

TEST(CapabilitySection, UnreadableDriverTextEndsTheDataTypeList)
{
    const Json good = {{"cbSize", 0}, {"lpszDocName", "a"}, {"lpszOutput", "b"}};
    const Json bad = {{"cbSize", 0}, {"lpszDocName", {{"unreadable", true}}}};
    const std::vector<std::string> lines = Capabilities({{"DC_DATATYPE_PRODUCED", {good, bad, good}}, {"DC_COLLATE", 1}});
    const auto at = std::find(lines.begin(), lines.end(), "DC_DATATYPE_PRODUCED[95] :  0 bytes: a, b");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(at[1], "*** EXCEPTION OCCURRED ***");
    EXPECT_EQ(at[2], "DC_COLLATE[95]           : 0x00000001: Yes");
}

}  // namespace
}  // namespace ostrel
