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
                         "DMCOLOR_COLOR (2)) but the driver answers DC_COLORDEVICE 0\n" +
                  wine + ": Office-PS: warning source-not-offered: Default device mode takes paper from DMBIN_AUTO "
                         "(7); DC_BINS lists DMBIN_FORMSOURCE (15), DMBIN_USER (256), 257, 258, 259, 260, 261, 262, "
                         "263\n");
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
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool(c.arguments);
        EXPECT_EQ(run.status, ExitUsage) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace ostrel
