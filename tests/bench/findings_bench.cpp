// The findings of a fleet against rendering the same printers' reports: the console tool run in
// this process on N description files of a printer each, as snapshots are taken (copies of the
// captured and hand-written fixtures under distinct names), "--all" (every report, to a stream that
// discards it) against "--findings" (every report built and judged), and "--findings --summary"
// (the same findings summed up by rule) against "--findings". All read the same files.
// Times are processor time, the best of runs taking turns. Prints the ratios against their goals;
// exit status 1 when one is missed.
//
//   ostrel_findings_bench [PRINTERS [ROUNDS]]     (default 10000 and 5; growth from PRINTERS / 10)
#include "console/report_tool.h"
#include "platform/portable/description_values.h"
#include "tests/bench/bench_timing.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include <unistd.h>

namespace ostrel {
namespace {

namespace fs = std::filesystem;

constexpr double RatioGoal = 1.5;    // findings against rendering
constexpr double GrowthGoal = 11.0;  // for 10 times the printers
// The summary against the findings' lines: the same reports judged, without a line a finding; the
// 5 % are the spread of the best of five runs on a machine others share.
constexpr double SummaryGoal = 1.05;

class Discard : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

Json ReadJson(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return ParseDescription(text.str());
}

// N files of a printer each, as N machines' snapshots: the fixtures' printers in turn, each file
// named after its number.
std::vector<std::string> WriteFleet(std::size_t printers, const fs::path& folder)
{
    std::vector<Json> templates;
    for (const char* name : {"wine-office-ps.json", "office-laser.json", "office-ps-datatypes-win32.json",
                             "broken-driver.json"}) {
        const Json description = ReadJson(std::string(OSTREL_FIXTURES) + "/printers/" + name);
        for (const Json& printer : description["printers"])
            templates.push_back(printer);
    }
    std::vector<std::string> files;
    for (std::size_t i = 0; i < printers; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Printer %06zu", i);
        const Json snapshot{{"system", {{"family", "nt"}}}, {"printers", Json::array({templates[i % templates.size()]})}};
        files.push_back((folder / (std::string(name) + ".json")).string());
        std::ofstream(files.back(), std::ios::binary) << snapshot.dump();
    }
    return files;
}

double TimeTool(const std::vector<std::string>& arguments)
{
    Discard discard;
    std::ostream out(&discard);
    std::ostringstream err;
    const double start = ProcessorSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const int status = RunReportTool(arguments, nullptr, out, err);
    const double seconds = ProcessorSeconds(CLOCK_PROCESS_CPUTIME_ID) - start;
    if (status != ExitOk) {
        std::fprintf(stderr, "ostrel_findings_bench: the tool failed (%d): %s\n", status, err.str().c_str());
        std::exit(2);
    }
    return seconds;
}

// Best of the rounds: on a shared machine the others' work only ever adds time, processor time too
// (caches and memory bandwidth are shared).
double Best(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}

struct Times {
    double load;  // "--list": reading the files and listing their printers
    double render;
    double findings;
    double summary;
};

std::vector<std::string> Arguments(std::vector<std::string> arguments, const std::vector<std::string>& files)
{
    for (const std::string& file : files) {
        arguments.push_back("--printers");
        arguments.push_back(file);
    }
    return arguments;
}

Times Measure(const std::vector<std::string>& files, int rounds)
{
    std::vector<double> load;
    std::vector<double> render;
    std::vector<double> findings;
    std::vector<double> summary;
    for (int round = 0; round < rounds; ++round) {
        load.push_back(TimeTool(Arguments({"--list"}, files)));
        render.push_back(TimeTool(Arguments({"--all"}, files)));
        findings.push_back(TimeTool(Arguments({"--findings"}, files)));
        summary.push_back(TimeTool(Arguments({"--findings", "--summary"}, files)));
    }
    return {Best(load), Best(render), Best(findings), Best(summary)};
}

}  // namespace
}  // namespace ostrel

int main(int argc, char** argv)
{
    using namespace ostrel;
    const std::size_t printers = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    if (printers < 10 || rounds < 1) {
        std::fprintf(stderr, "usage: ostrel_findings_bench [PRINTERS (10 or more) [ROUNDS]]\n");
        return 2;
    }
    const fs::path folder = fs::temp_directory_path() / ("ostrel-findings-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder / "small");
    fs::create_directories(folder / "large");
    const Times small = Measure(WriteFleet(printers / 10, folder / "small"), rounds);
    const Times large = Measure(WriteFleet(printers, folder / "large"), rounds);
    fs::remove_all(folder);

    for (const auto& [count, times] : {std::pair{printers, large}, std::pair{printers / 10, small}})
        std::printf("%6zu printers: reading the files %.3f s, with the reports %.3f s, with the findings %.3f s, "
                    "their summary %.3f s\n",
                    count, times.load, times.render, times.findings, times.summary);
    bool met = Verdict("findings / reports, all printers", large.findings / large.render, RatioGoal);
    met &= Verdict("findings, 10 times the printers", large.findings / small.findings, GrowthGoal);
    met &= Verdict("summary / findings, all printers", large.summary / large.findings, SummaryGoal);
    return met ? 0 : 1;
}
