// How long a report takes to build, mark and write out, on a printer captured under Wine and on a
// large scripted one (every list long): the work done between a click and the repaint.
#include "platform/portable/memory_document.h"
#include "platform/portable/scripted_spooler.h"
#include "report/report_builder.h"

#include <benchmark/benchmark.h>

namespace ostrel {
namespace {

ScriptedSpooler CapturedPrinter()
{
    ScriptedSpooler spooler;
    spooler.LoadFile(std::string(OSTREL_FIXTURES) + "/printers/wine-office-ps.json");
    return spooler;
}

ScriptedSpooler LargePrinter(int entries)
{
    Json papers = Json::array(), names = Json::array(), sizes = Json::array(), bins = Json::array();
    for (int i = 0; i < entries; ++i) {
        papers.push_back(i % 120 + 1);
        names.push_back("Paper " + std::to_string(i));
        sizes.push_back({2100, 2970});
        bins.push_back(i % 16);
    }
    Json printer = {{"name", "Large"},
                    {"capabilities",
                     {{"DC_PAPERS", papers}, {"DC_PAPERNAMES", names}, {"DC_PAPERSIZE", sizes},
                      {"DC_BINS", bins}, {"DC_BINNAMES", names}}}};
    ScriptedSpooler spooler;
    spooler.Load(Json{{"printers", Json::array({printer})}}, "benchmark");
    return spooler;
}

void BuildCapturedReport(benchmark::State& state)
{
    ScriptedSpooler spooler = CapturedPrinter();
    MemoryDocument document;
    for (auto _ : state) {
        ReportBuilder(spooler, document).MakeReport("Office-PS");
        benchmark::DoNotOptimize(document.TextLength());
    }
    state.counters["lines"] = document.LineCount();
}
BENCHMARK(BuildCapturedReport)->Unit(benchmark::kMicrosecond);

void BuildLargeReport(benchmark::State& state)
{
    ScriptedSpooler spooler = LargePrinter(static_cast<int>(state.range(0)));
    MemoryDocument document;
    for (auto _ : state) {
        ReportBuilder(spooler, document).MakeReport("Large");
        benchmark::DoNotOptimize(document.TextLength());
    }
    state.counters["lines"] = document.LineCount();
}
BENCHMARK(BuildLargeReport)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void WriteCapturedReportAsRtf(benchmark::State& state)
{
    ScriptedSpooler spooler = CapturedPrinter();
    MemoryDocument document;
    ReportBuilder(spooler, document).MakeReport("Office-PS");
    for (auto _ : state)
        benchmark::DoNotOptimize(document.Rtf(1252).size());
}
BENCHMARK(WriteCapturedReportAsRtf)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ostrel

BENCHMARK_MAIN();
