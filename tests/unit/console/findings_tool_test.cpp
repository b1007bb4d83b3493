#include "console/report_tool.h"
#include "tests/unit/console/tool_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace ostrel {
namespace {

namespace fs = std::filesystem;

const std::string Printers = std::string(OSTREL_FIXTURES) + "/printers/";

TEST(FindingsTool, FleetLinesNameFileAndPrinter)
{
    const std::string laser = Printers + "office-laser.json";
    const std::string wine = Printers + "wine-office-ps.json";
    const ToolRun run = RunTool({"--findings", "--printers", laser, wine});
    EXPECT_EQ(run.status, ExitOk) << run.err;
    EXPECT_EQ(run.out,
              laser + ": Office Laser: note driver-version: Default device mode has dmDriverVersion 0; DC_DRIVER "
                      "answers 1\n" +
                  wine + ": Office-PS: error resolution-not-offered: Default device mode asks for 300 * 300 dpi; "
                         "DC_ENUMRESOLUTIONS offers 600 * 600 dpi, 1200 * 1200 dpi\n" +
                  wine + ": Office-PS: warning colour-on-mono: Default device mode asks for colour (dmColor "
                         "DMCOLOR_COLOR (2)) but the driver answers DC_COLORDEVICE 0\n");
}

TEST(FindingsTool, OnePrinterAndNone)
{
    const ToolRun one = RunTool({"--printers", Printers + "office-laser.json", "--findings", "office laser"});
    EXPECT_EQ(one.status, ExitOk);
    EXPECT_EQ(one.out, "note driver-version: Default device mode has dmDriverVersion 0; DC_DRIVER answers 1\n");

    const fs::path bare = fs::temp_directory_path() / ("ostrel-findings-" + std::to_string(::getpid()) + ".json");
    std::ofstream(bare) << R"({"printers": [{"name": "Bare"}]})";
    const ToolRun none = RunTool({"--findings", "--all", "--printers", bare.string()});
    fs::remove(bare);
    EXPECT_EQ(none.status, ExitOk);
    EXPECT_EQ(none.out, "No findings.\n");
}

// Rules by the printers they fire on, most first; a tie keeps the rule table's order (here not the
// alphabet's); three printers a rule; the printers without findings last.
TEST(FindingsTool, SummaryCountsPrintersByRule)
{
    const fs::path fleet = fs::temp_directory_path() / ("ostrel-summary-" + std::to_string(::getpid()) + ".json");
    Json printers = Json::array();
    for (const char* name : {"A", "B", "C", "D"})
        printers.push_back({{"name", name}, {"capabilities", {{"DC_FIELDS", 0}, {"DC_SIZE", 0}}}});
    for (const char* name : {"E", "F"})
        printers.push_back({{"name", name}});
    std::ofstream(fleet) << Json{{"printers", printers}}.dump();
    const std::string wine = Printers + "wine-office-ps.json";
    const std::string laser = Printers + "office-laser.json";

    const ToolRun run = RunTool({"--findings", "--summary", "--printers", fleet.string(), wine, laser});
    const std::string f = fleet.string();
    fs::remove(fleet);
    EXPECT_EQ(run.status, ExitOk) << run.err;
    EXPECT_EQ(run.out,
              "warning driver-silent: 4 of 8 printers\n"
              "    " + f + ": A\n    " + f + ": B\n    " + f + ": C\n"
              "    for example: the driver's capability answers are empty (DC_FIELDS 0, DC_SIZE 0 bytes): no other "
              "rule judges them\n"
              "error resolution-not-offered: 1 of 8 printers\n"
              "    " + wine + ": Office-PS\n"
              "    for example: Default device mode asks for 300 * 300 dpi; DC_ENUMRESOLUTIONS offers 600 * 600 dpi, "
              "1200 * 1200 dpi\n"
              "warning colour-on-mono: 1 of 8 printers\n"
              "    " + wine + ": Office-PS\n"
              "    for example: Default device mode asks for colour (dmColor DMCOLOR_COLOR (2)) but the driver answers "
              "DC_COLORDEVICE 0\n"
              "note driver-version: 1 of 8 printers\n"
              "    " + laser + ": Office Laser\n"
              "    for example: Default device mode has dmDriverVersion 0; DC_DRIVER answers 1\n"
              "No findings: 2 of 8 printers\n"
              "    " + f + ": E\n    " + f + ": F\n");

    // Over --all too, with --fail-on's status.
    EXPECT_EQ(RunTool({"--printers", wine, "--findings", "--summary", "--all", "--fail-on", "error"}).status,
              ExitFindingsAtLevel);
}

TEST(FindingsTool, FailOnGivesItsOwnStatus)
{
    const struct {
        const char* file;
        const char* level;
        int status;
    } cases[] = {
        {"office-laser.json", "error", ExitOk},           // a note only
        {"office-laser.json", "warning", ExitOk},
        {"wine-office-ps.json", "error", ExitFindingsAtLevel},
        {"broken-driver.json", "warning", ExitFindingsAtLevel},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool({"--findings", "--fail-on", c.level, "--printers", Printers + c.file});
        EXPECT_EQ(run.status, c.status) << c.file << " " << c.level;
        EXPECT_FALSE(run.out.empty());
    }
}

TEST(FindingsTool, UsageErrors)
{
    const std::string file = Printers + "office-laser.json";
    const struct {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{"--printers", file, "--fail-on", "error", "--all"}, "--fail-on goes with --findings"},
        {{"--printers", file, "--findings", "--fail-on", "note", "--all"}, "--fail-on takes error or warning"},
        {{"--printers", file, "--findings", "--fail-on"}, "--fail-on needs a level"},
        {{"--printers", file, "--findings", "-o", "x.txt", "--all"}, "--findings writes to standard output only"},
        {{"--printers", file, "--findings", "--all", "A"}, "a printer entry or --all, not both"},
        {{"--findings"}, "give --findings a printer entry, --all or --printers FILE..."},
        {{"--printers", file, "--summary", "--all"}, "--summary goes with --findings"},
        {{"--printers", file, "--findings", "--summary", "Office Laser"}, "--summary sums up every printer"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool(c.arguments);
        EXPECT_EQ(run.status, ExitUsage) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace ostrel
