#include "platform/portable/description_files.h"
#include "platform/portable/memory_document.h"
#include "platform/printer_list.h"
#include "report/report_builder.h"
#include "report/report_json.h"
#include "tests/unit/report/scripted_printer.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace ostrel {
namespace {

using testing::LinesOf;

// The text lines a structured report stands for, as the writer lays them out.
std::vector<std::string> LinesOfItems(const StructuredReport& report)
{
    std::vector<std::string> lines;
    for (const ReportSection& section : report.sections) {
        if (section.title)
            lines.push_back("- " + *section.title + " -");
        for (const ReportItem& item : section.items) {
            std::string label = item.label.value_or("");
            for (const ReportValue& value : item.values) {
                if (!item.label) {
                    lines.push_back(value.text);
                    continue;
                }
                std::string column = label.substr(0, 24);
                column.resize(24, ' ');
                lines.push_back(column + " : " + value.text);
                label.clear();
            }
        }
    }
    return lines;
}

std::vector<std::string> NonBlank(std::vector<std::string> lines)
{
    lines.erase(std::remove(lines.begin(), lines.end(), std::string()), lines.end());
    return lines;
}

struct Rendered {
    std::string text;
    StructuredReport items;
};

std::vector<Rendered> RenderFixtures()
{
    std::vector<Rendered> rendered;
    for (const auto& file : std::filesystem::directory_iterator(std::string(OSTREL_FIXTURES) + "/printers")) {
        if (file.path().extension() != ".json")
            continue;
        DescriptionFiles files;
        files.LoadFile(file.path().string());
        PrinterList list(files.System(0));
        for (const std::string& entry : list.Entries()) {
            MemoryDocument document;
            Rendered report;
            ReportBuilder(files.System(0), document, &report.items).MakeReport(entry);
            // The text alone, built without the structured sink, must not change by it.
            MemoryDocument plain;
            ReportBuilder(files.System(0), plain).MakeReport(entry);
            EXPECT_EQ(document.PlainText(), plain.PlainText()) << entry;
            report.text = document.Text();
            rendered.push_back(std::move(report));
        }
    }
    return rendered;
}

TEST(StructuredReport, EveryTextLineOfEveryFixtureHasItsItem)
{
    const std::vector<Rendered> reports = RenderFixtures();
    ASSERT_GE(reports.size(), 4u);
    for (const Rendered& report : reports)
        EXPECT_EQ(LinesOfItems(report.items), NonBlank(LinesOf(report.text))) << report.items.entry;
}

TEST(StructuredReport, JsonOfEveryFixtureParsesAndRoundTrips)
{
    for (const Rendered& report : RenderFixtures()) {
        const Json json = JsonOfReport(report.items);
        const Json parsed = Json::parse(json.dump(2));
        EXPECT_EQ(ReportOfJson(parsed), report.items) << report.items.entry;
        EXPECT_EQ(JsonOfReport(ReportOfJson(parsed)), json) << report.items.entry;
    }
}

// What the values carry beside their text, on a small printer.
TEST(StructuredReport, ValuesCarryNumbersNamesUnitsListsAndMarkers)
{
    testing::ScriptedReport scripted(Json{{"capabilities",
                                           {{"DC_COPIES", 5},
                                            {"DC_DUPLEX", 1},
                                            {"DC_PAPERS", {9}},
                                            {"DC_PAPERNAMES", {"A4"}},
                                            {"DC_PAPERSIZE", {{2100, 2970}}},
                                            {"DC_BINS", Json::array()}}}});
    MemoryDocument document;
    StructuredReport items;
    ReportBuilder(scripted.spooler, document, &items).MakeReport("P");
    ASSERT_FALSE(items.sections.empty());
    const std::vector<ReportItem>& capabilities = items.sections.front().items;
    const auto item = [&](const std::string& label) -> const ReportItem& {
        const auto found = std::find_if(capabilities.begin(), capabilities.end(),
                                        [&](const ReportItem& candidate) { return candidate.label == label; });
        EXPECT_NE(found, capabilities.end()) << label;
        return *found;
    };
    const Json json = JsonOfReport(items)["sections"][0]["items"];
    const auto jsonItem = [&](const std::string& label) {
        for (const Json& candidate : json)
            if (candidate.value("label", "") == label)
                return candidate;
        return Json();
    };
    EXPECT_EQ(jsonItem("DC_COPIES"),
              (Json{{"label", "DC_COPIES"}, {"value", {{"text", "5 papers"}, {"raw", 5}, {"unit", "papers"}}}}));
    EXPECT_EQ(jsonItem("DC_DUPLEX")["value"]["names"], Json::array({"Yes"}));
    EXPECT_EQ(jsonItem("DC_PAPERS")["values"][0]["raw"], 9);
    EXPECT_EQ(jsonItem("DC_PAPERS")["values"][0]["names"], Json::array({"DMPAPER_A4"}));
    // A list without entries has no line, and is still a list.
    EXPECT_TRUE(item("DC_BINS").list);
    EXPECT_TRUE(item("DC_BINS").values.empty());
    EXPECT_EQ(jsonItem("DC_MODEL[95]")["value"]["marker"], "not_supported");
}

// A driver's list of texts is a list, each text an entry, even when it holds one text.
TEST(StructuredReport, DependentFilesAreAListEvenOfOne)
{
    Json description;
    std::ifstream(std::string(OSTREL_FIXTURES) + "/printers/office-laser.json") >> description;
    for (Json& printer : description["printers"])
        for (auto& [level, record] : printer["driver_info"].items())
            if (record.contains("pDependentFiles"))
                record["pDependentFiles"] = Json::array({"pscript.ntf"});
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("ostrel-one-file-" + std::to_string(::getpid()) + ".json");
    std::ofstream(file) << description.dump();
    DescriptionFiles files;
    files.LoadFile(file.string());
    std::filesystem::remove(file);
    MemoryDocument document;
    StructuredReport items;
    ReportBuilder(files.System(0), document, &items).MakeReport("Office Laser");
    int lists = 0;
    for (const ReportSection& section : items.sections)
        for (const ReportItem& item : section.items)
            if (item.label == "pDependentFiles") {
                ++lists;
                EXPECT_TRUE(item.list);
                ASSERT_EQ(item.values.size(), 1u);
                EXPECT_EQ(item.values[0].text, "pscript.ntf");
            }
    EXPECT_GT(lists, 0);
}

TEST(StructuredReport, MalformedJsonIsRefusedWithWhatIsMissing)
{
    EXPECT_THROW(ReportOfJson(Json::object()), std::runtime_error);
    EXPECT_THROW(ReportOfJson(Json{{"entry", "P"}, {"sections", {{{"title", "T"}, {"items", {{{"label", "x"}}}}}}}}),
                 std::runtime_error);
    EXPECT_THROW(
        ReportOfJson(Json{{"entry", "P"},
                          {"sections", {{{"title", nullptr}, {"items", {{{"line", {{"text", "x"}, {"marker", "odd"}}}}}}}}}}),
        std::runtime_error);
}

}  // namespace
}  // namespace ostrel
