#include "console/report_file_names.h"
#include "console/report_tool.h"
#include "platform/portable/description_values.h"
#include "platform/portable/scripted_spooler.h"
#include "report/printer_snapshot.h"
#include "report/save_format.h"
#include "tests/unit/console/tool_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>

#include <sys/wait.h>

namespace ostrel {
namespace {

namespace fs = std::filesystem;

const std::string Fixture = std::string(OSTREL_FIXTURES) + "/printers/office-laser.json";

void AppendUtf8(std::string& out, unsigned long character)
{
    if (character < 0x80) {
        out += static_cast<char>(character);
    } else if (character < 0x800) {
        out += static_cast<char>(0xC0 | (character >> 6));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (character >> 12));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    }
}

// The Western code page's bytes as UTF-8, for the few characters above 0x7F the tests use.
std::string Utf8OfWestern(const std::string& bytes)
{
    const std::map<unsigned char, unsigned long> beyondLatin1 = {{0x80, 0x20AC}, {0x96, 0x2013}};
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(out, beyondLatin1.count(byte) ? beyondLatin1.at(byte) : byte);
    }
    return out;
}

std::string DecodeCharacterReferences(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t end = text.find(';', i);
        if (text.compare(i, 2, "&#") == 0 && end != std::string::npos) {
            AppendUtf8(out, std::stoul(text.substr(i + 2, end - i - 2)));
            i = end;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The lines with CR dropped, blanks folded and trimmed, and empty lines and rules left out.
std::vector<std::string> FoldedLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::string folded;
        for (const char c : line) {
            if (c == '\r')
                continue;
            if (c != ' ' || (!folded.empty() && folded.back() != ' '))
                folded += c;
        }
        if (!folded.empty() && folded.back() == ' ')
            folded.pop_back();
        if (!folded.empty() && folded.find_first_not_of('-') != std::string::npos)
            lines.push_back(folded);
    }
    return lines;
}

struct ReportToolTest : ToolFolderTest {
    ReportToolTest() : ToolFolderTest("ostrel-tool-") {}
};

TEST_F(ReportToolTest, UsageErrorsNameWhatIsWrong)
{
    const struct {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{"--printers", Fixture}, "give --list, --all or a printer entry"},
        {{"--printers", Fixture, "--list", "A"}, "give only one of"},
        {{"--printers", Fixture, "A", "B"}, "more than one printer entry"},
        {{"--printers", Fixture, "--frobnicate"}, "unknown option --frobnicate"},
        {{"--printers", Fixture, "A", "-o"}, "-o needs"},
        {{"--printers"}, "--printers needs"},
        {{"Office Laser"}, "give --printers FILE"},
        {{"--printers", Fixture, "--snapshot"}, "--snapshot needs exactly one printer entry"},
        {{"--printers", Fixture, "-o", "a.txt", "-o", "b.txt", "A"}, "-o given twice: \"a.txt\" and \"b.txt\""},
        {{"--printers", Fixture, "-o", "", "A"}, "-o needs a file or folder name, not an empty one"},
        {{"--printers", Fixture, "--", "A", "B"}, "more than one printer entry given: \"A\" and \"B\""},
        {{"--printers", Fixture, "A", "--", "-B"}, "more than one printer entry given: \"A\" and \"-B\""},
        {{"--printers", OSTREL_FIXTURES, "--list"}, "is a folder"},
        {{"--printers", Fixture, ""}, "the printer entry is empty"},
        {{"--printers", Fixture, "--snapshot", ""}, "the printer entry is empty"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool(c.arguments);
        EXPECT_EQ(run.status, ExitUsage) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("usage:"), std::string::npos);
    }
}

TEST_F(ReportToolTest, ListsAndReportsFromDescriptionFiles)
{
    const ToolRun list = RunTool({"--printers", Fixture, "--list"});
    EXPECT_EQ(list.status, ExitOk);
    EXPECT_EQ(list.out, "Office Laser\n");

    const ToolRun report = RunTool({"--printers", Fixture, "office laser"});
    EXPECT_EQ(report.status, ExitOk);
    EXPECT_EQ(report.out.rfind("- Ostrel -\r\n\r\nDC_FIELDS", 0), 0u);
    EXPECT_EQ(report.out.find('\n'), report.out.find("\r\n") + 1);
}

TEST_F(ReportToolTest, OutputFormatFollowsTheExtension)
{
    EXPECT_EQ(SaveFormatOf("a.rtf"), SaveFormat::RichText);
    EXPECT_EQ(SaveFormatOf("A.RtF"), SaveFormat::RichText);
    EXPECT_EQ(SaveFormatOf("a.rtf.txt"), SaveFormat::PlainText);
    EXPECT_EQ(SaveFormatOf("rtf"), SaveFormat::PlainText);

    ASSERT_EQ(RunTool({"--printers", Fixture, "-o", (folder / "r.RTF").string(), "Office Laser"}).status, ExitOk);
    EXPECT_EQ(ReadFile(folder / "r.RTF").rfind("{\\rtf1", 0), 0u);
    ASSERT_EQ(RunTool({"--printers", Fixture, "-o", (folder / "r.log").string(), "Office Laser"}).status, ExitOk);
    EXPECT_EQ(ReadFile(folder / "r.log").rfind("- Ostrel -\r\n", 0), 0u);

    ASSERT_EQ(RunTool({"--printers", Fixture, "--all", "-o", (folder / "all").string()}).status, ExitOk);
    EXPECT_EQ(ReadFile(folder / "all" / "Office Laser.txt"), ReadFile(folder / "r.log"));
}

TEST_F(ReportToolTest, HelpAndVersion)
{
    for (const char* option : {"--help", "-h"}) {
        const ToolRun run = RunTool({"--printers", Fixture, option, "--frobnicate"});
        EXPECT_EQ(run.status, ExitOk);
        EXPECT_EQ(run.err, "");
        for (const char* described : {"--list", "--all", "--snapshot", "-o FILE", "--printers FILE", "--help", "--version",
                                      "Exit status"})
            EXPECT_NE(run.out.find(described), std::string::npos) << described;
    }
    const ToolRun version = RunTool({"--version"});
    EXPECT_EQ(version.status, ExitOk);
    EXPECT_EQ(version.out.rfind("ostrel-report ", 0), 0u);
    EXPECT_GT(version.out.size(), std::string("ostrel-report \n").size());
}

// The old file stays, a file of the user's beside it too, and the message says why.
TEST_F(ReportToolTest, UnwritableFileFailsAndLeavesTheOldFileAlone)
{
    const fs::path kept = folder / "kept.txt";
    std::ofstream(kept) << "old";
    std::ofstream(folder / "kept.txt.partial") << "the user's";
    fs::create_directory(folder / "taken.txt");
    const struct {
        fs::path target;
        const char* reason;
    } cases[] = {
        {folder / "missing" / "x.txt", "No such file or directory"},
        {folder / "taken.txt", "Is a directory"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool({"--printers", Fixture, "-o", c.target.string(), "Office Laser"});
        EXPECT_EQ(run.status, ExitFileError);
        EXPECT_EQ(run.err, "ostrel-report: cannot write " + c.target.string() + ": " + c.reason + "\n");
    }
    ASSERT_EQ(RunTool({"--printers", Fixture, "-o", kept.string(), "Office Laser"}).status, ExitOk);
    EXPECT_EQ(ReadFile(kept).rfind("- Ostrel -", 0), 0u);
    EXPECT_EQ(ReadFile(folder / "kept.txt.partial"), "the user's");
}

// What is wrong in a description file is said in plain words, with the file and the place.
TEST_F(ReportToolTest, BrokenDescriptionFileIsNamed)
{
    const struct {
        const char* text;  // null: no file at all
        const char* message;
    } cases[] = {
        {nullptr, ": cannot be read: No such file or directory"},
        {R"({"printers": [{"name": "P", "capabilities": {"DC_NOPE": 1}}]})", "unknown capability DC_NOPE"},
        {"{\n  \"printers\": [\n    {\"name\": \"P\",}\n  ]\n}\n", ": line 3, column 18: not valid JSON: unexpected '}'"},
        {"{\"printers\": [", ": line 1, column 15: not valid JSON: unexpected end of input"},
        {"", ": line 1, column 1: not valid JSON: unexpected end of input"},
        {"{}", ": no \"printers\" member"},
        {R"({"printers": [{"devices": []}]})", "name: key 'name' not found"},
    };
    const fs::path file = folder / "bad.json";
    for (const auto& c : cases) {
        fs::remove(file);
        if (c.text != nullptr)
            std::ofstream(file, std::ios::binary) << c.text;
        const ToolRun run = RunTool({"--printers", file.string(), "--list"});
        EXPECT_EQ(run.status, ExitFileError) << c.message;
        EXPECT_EQ(run.err.rfind("ostrel-report: " + file.string(), 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("json.exception"), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

// The report of a printer that cannot be opened is written all the same; the tool says so and
// ends with a status of its own, after every other report.
TEST_F(ReportToolTest, PrinterThatCannotBeOpenedIsReportedWithStatusThree)
{
    const Json description = {{"system", {{"messages", {{"1801", "The printer name is invalid."}}}}},
                              {"printers", {{{"name", "Gone"}, {"open_error", 1801}}, {{"name", "Here"}}}}};
    const std::string file = (folder / "gone.json").string();
    std::ofstream(file) << description.dump();
    const std::string cannotOpen = "ostrel-report: cannot open printer ";
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* written;  // in standard output, or in the file out.txt or all/Gone.txt
        const char* named;    // the printer standard error names, if any
    } cases[] = {
        {{"Gone"}, ExitPrinterNotOpened, "*** CANNOT OPEN PRINTER ***: 1801: The printer name is invalid.\r\n",
         "Gone: 1801: The printer name is invalid.\n"},
        {{"NoSuchPrinter"}, ExitPrinterNotOpened, "*** CANNOT OPEN PRINTER ***: 1801: ", "NoSuchPrinter: 1801: "},
        {{"-o", (folder / "out.txt").string(), "Gone"}, ExitPrinterNotOpened, "*** CANNOT OPEN PRINTER ***", "Gone"},
        {{"Here"}, ExitOk, "- PRINTER_INFO_2 -", nullptr},
        {{"--snapshot", "Gone"}, ExitPrinterNotOpened, "\"open_error\": 1801", "Gone: error 1801"},
        {{"--snapshot", "Here"}, ExitOk, "\"printer_info\"", nullptr},
        {{"--all"}, ExitPrinterNotOpened, "==> Here <==", "Gone"},
        {{"--all", "-o", (folder / "all").string()}, ExitPrinterNotOpened, "*** CANNOT OPEN PRINTER ***", "Gone"},
    };
    for (const auto& c : cases) {
        fs::remove_all(folder / "all");
        fs::remove(folder / "out.txt");
        std::vector<std::string> arguments = {"--printers", file};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const ToolRun run = RunTool(arguments);
        const std::string& last = c.arguments.back();
        EXPECT_EQ(run.status, c.status) << last << ": " << run.err;
        const std::string written = fs::exists(folder / "out.txt") ? ReadFile(folder / "out.txt")
                                    : fs::exists(folder / "all") ? ReadFile(folder / "all" / "Gone.txt")
                                                                 : run.out;
        EXPECT_NE(written.find(c.written), std::string::npos) << last;
        if (c.named) {
            EXPECT_EQ(run.err.rfind(cannotOpen + c.named, 0), 0u) << run.err;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        } else {
            EXPECT_EQ(run.err, "") << last;
        }
    }
}

// Printers whose names are no valid file names, or name the same file.
struct HostileNamesTest : ReportToolTest {
    const std::vector<std::string> names = {"a/b", "a_b", "CON", "x:y*?\"<>|", "trailing. ", std::string(150, 'n'),
                                            "\\\\srv\\q", "__srv_q"};
    const std::string description = (folder / "hostile.json").string();

    void SetUp() override
    {
        ReportToolTest::SetUp();
        Json printers = Json::array();
        for (const std::string& name : names)
            printers.push_back({{"name", name}, {"printer_info", {{"2", {{"pPrinterName", name}}}}}});
        std::ofstream(description) << Json{{"printers", printers}}.dump();
    }

    std::string ReportOf(const std::string& entry) { return RunTool({"--printers", description, entry}).out; }
};

TEST_F(HostileNamesTest, AllWritesADistinctValidFilePerPrinter)
{
    // "trailing. " names the device "trailing", which is no printer.
    const ToolRun run = RunTool({"--printers", description, "--all", "-o", (folder / "all").string()});
    EXPECT_EQ(run.status, ExitPrinterNotOpened);
    EXPECT_EQ(run.err, "ostrel-report: cannot open printer trailing. : 1801: \n");
    const std::map<std::string, std::string> expected = {
        {"a_b (2).txt", "a/b"},       {"a_b.txt", "a_b"},
        {"_CON.txt", "CON"},          {"x_y______.txt", "x:y*?\"<>|"},
        {"trailing. .txt", "trailing. "}, {std::string(100, 'n') + ".txt", std::string(150, 'n')},
        {"__srv_q (2).txt", "\\\\srv\\q"}, {"__srv_q.txt", "__srv_q"},
    };
    std::map<std::string, std::string> written;
    for (const fs::directory_entry& file : fs::directory_iterator(folder / "all"))
        written[file.path().filename().string()] = ReadFile(file.path());
    ASSERT_EQ(written.size(), expected.size());
    for (const auto& [file, entry] : expected)
        EXPECT_EQ(written[file], ReportOf(entry)) << file;
}

TEST_F(HostileNamesTest, AllGoesOnAfterAFailureAndNamesIt)
{
    fs::create_directories(folder / "all" / "a_b.txt");
    const ToolRun run = RunTool({"--printers", description, "--all", "-o", (folder / "all").string()});
    EXPECT_EQ(run.status, ExitFileError);
    EXPECT_EQ(run.err, "ostrel-report: cannot write " + (folder / "all" / "a_b.txt").string() +
                           ": Is a directory (the report of a_b)\n"
                           "ostrel-report: cannot open printer trailing. : 1801: \n");
    EXPECT_EQ(ReadFile(folder / "all" / "a_b (2).txt"), ReportOf("a/b"));
    EXPECT_EQ(ReadFile(folder / "all" / "__srv_q.txt"), ReportOf("__srv_q"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "all"), fs::directory_iterator()),
              static_cast<long>(names.size()));

    std::ofstream(folder / "file") << "in the way";
    const ToolRun blocked = RunTool({"--printers", description, "--all", "-o", (folder / "file").string()});
    EXPECT_EQ(blocked.status, ExitFileError);
    EXPECT_NE(blocked.err.find("cannot create folder " + (folder / "file").string() + ": "), std::string::npos);
}

TEST_F(HostileNamesTest, AllOnStandardOutputNamesEachPrinter)
{
    const ToolRun run = RunTool({"--printers", description, "--all"});
    EXPECT_EQ(run.status, ExitPrinterNotOpened);
    std::string expected;
    for (const std::string& name : names)
        expected += "==> " + name + " <==\r\n" + ReportOf(name);
    EXPECT_EQ(run.out, expected);
}

TEST(ReportFileNames, AreValidAndDistinctWhereCaseDoesNotCount)
{
    const struct {
        std::vector<std::string> entries;
        std::vector<std::string> files;
    } cases[] = {
        {{"Office", "OFFICE", "office"}, {"Office.txt", "OFFICE (2).txt", "office (3).txt"}},
        {{"nul", "Com1", "lpt9.x", "COM1 .y", "LPT\xb9", "conin$", "CONSOLE", "COM10", "NUL_"},
         {"_nul.txt", "_Com1.txt", "_lpt9.x.txt", "_COM1 .y.txt", "_LPT\xb9.txt", "_conin$.txt", "CONSOLE.txt",
          "COM10.txt", "NUL_.txt"}},
        {{"a\tb\x01", "", "printer"}, {"a_b_.txt", "printer (2).txt", "printer.txt"}},
        {{"x", "x (2)", "X"}, {"x.txt", "x (2).txt", "X (3).txt"}},
        {{"p", "p", "P", "p (3)", "p"}, {"p.txt", "p (2).txt", "P (4).txt", "p (3).txt", "p (5).txt"}},
        {{"Caf\xc9", "caf\xe9"}, {"Caf\xc9.txt", "caf\xe9 (2).txt"}},
        {{std::string(99, 'a') + "\xc3\xa9z"}, {std::string(99, 'a') + ".txt"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReportFileNames(c.entries), c.files);
}

// Standard output that is a full disk or closed, for the program itself.
TEST(StandardOutputFailures, ExitWithOneAndSayWhy)
{
    const std::string tool = OSTREL_REPORT_TOOL;
    const fs::path errors = fs::temp_directory_path() / ("ostrel-stderr-" + std::to_string(::getpid()));
    for (const char* arguments : {"--list", "'Office Laser'", "--snapshot 'Office Laser'", "--all", "--help"}) {
        for (const auto& [redirection, reason] : {std::pair{">/dev/full", "No space left on device"},
                                                   std::pair{">&-", "Bad file descriptor"}}) {
            const std::string command = "'" + tool + "' --printers '" + Fixture + "' " + arguments + " " +
                                        redirection + " 2>'" + errors.string() + "'";
            const int status = std::system(command.c_str());
            ASSERT_TRUE(WIFEXITED(status)) << command;
            EXPECT_EQ(WEXITSTATUS(status), ExitFileError) << command;
            EXPECT_EQ(ReadFile(errors), std::string("ostrel-report: cannot write standard output: ") + reason + "\n")
                << command;
        }
    }
    fs::remove(errors);
}

// What a real RTF reader recovers from a report with Western characters is the plain-text report.
// The reader folds runs of blanks into one, so lines are compared with theirs folded too.
TEST_F(ReportToolTest, RtfReadsBackAsThePlainTextReport)
{
    if (std::system("unrtf --version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "unrtf is not installed";
    // Bytes of the Western code page: e acute, u umlaut, en dash, euro sign.
    const std::string name = "Caf\xe9 \xfc" "ber";
    const std::string comment = "B\xfcro \x96 5 \x80";
    const Json printer = {{"name", JsonStringOfBytes(name)},
                          {"printer_info", {{"2", {{"pPrinterName", JsonStringOfBytes(name)},
                                                   {"pComment", JsonStringOfBytes(comment)}}}}}};
    std::ofstream(folder / "western.json") << Json{{"system", {{"code_page", 1252}}}, {"printers", {printer}}}.dump();
    const std::string description = (folder / "western.json").string();
    ASSERT_EQ(RunTool({"--printers", description, "-o", (folder / "r.rtf").string(), name}).status, ExitOk);
    const std::string plain = RunTool({"--printers", description, name}).out;
    ASSERT_NE(plain.find(comment), std::string::npos);

    // The reader's plain-text output, with every character beyond ASCII as "&#N;".
    fs::create_directory(folder / "conf");
    std::ofstream(folder / "conf" / "unicode-text.conf")
        << ReadFile("/usr/share/unrtf/text.conf") << "unisymbol_print\n\t&#%;\n";
    const std::string command = "unrtf --quiet -P '" + (folder / "conf").string() + "' -t unicode-text '" +
                                (folder / "r.rtf").string() + "' >'" + (folder / "read.txt").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);

    EXPECT_EQ(FoldedLines(DecodeCharacterReferences(ReadFile(folder / "read.txt"))), FoldedLines(Utf8OfWestern(plain)));
}

// A snapshot renders the very report of the printer it was taken from.
TEST_F(ReportToolTest, SnapshotRendersTheSameReport)
{
    ASSERT_EQ(RunTool({"--printers", Fixture, "--snapshot", "Office Laser", "-o", (folder / "snap.json").string()}).status,
              ExitOk);
    const ToolRun original = RunTool({"--printers", Fixture, "Office Laser"});
    const ToolRun copy = RunTool({"--printers", (folder / "snap.json").string(), "Office Laser"});
    EXPECT_EQ(copy.status, ExitOk) << copy.err;
    EXPECT_EQ(copy.out, original.out);
}

}  // namespace
}  // namespace ostrel

namespace ostrel {
namespace {

// Printers captured by the 32-bit Windows program and the reports it gave for them: the native
// rendering must not drift from them by a byte. wine-office-ps was captured under Wine from a CUPS
// queue with a real PPD; office-ps-datatypes-win32 is that capture with the produced-data-type
// records a driver gives in the 32-bit layout, and the lines the 32-bit program writes for them.
TEST(CapturedPrinters, RenderExactlyTheReportTheWindowsProgramGave)
{
    for (const char* name : {"wine-office-ps", "office-ps-datatypes-win32"}) {
        const std::string base = std::string(OSTREL_FIXTURES) + "/printers/" + name;
        const ToolRun run = RunTool({"--printers", base + ".json", "Office-PS"});
        EXPECT_EQ(run.status, ExitOk) << run.err;
        EXPECT_EQ(run.out, ReadFile(base + ".txt")) << name;
    }
}

TEST(CapturedPrinters, BrokenDriverGivesMarkersAndNeverAFailure)
{
    const ToolRun run = RunTool({"--printers", std::string(OSTREL_FIXTURES) + "/printers/broken-driver.json",
                                 "Broken Driver"});
    EXPECT_EQ(run.status, ExitOk) << run.err;
    std::size_t markers = 0;
    for (std::size_t at = run.out.find("*** EXCEPTION OCCURRED ***\r\n"); at != std::string::npos;
         at = run.out.find("*** EXCEPTION OCCURRED ***\r\n", at + 1))
        ++markers;
    EXPECT_EQ(markers, 10u);
    EXPECT_EQ(run.out.find("- Current DEVMODE"), std::string::npos);
}

}  // namespace
}  // namespace ostrel
