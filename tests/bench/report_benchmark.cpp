// How long a report takes to build, mark and write out, on a printer captured under Wine and on a
// large scripted one (every list long): the work done between a click and the repaint.
#include "platform/portable/memory_document.h"
#include "platform/portable/scripted_spooler.h"
#include "platform/printer_list.h"
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

// A report for every printer of a large system, as --all builds them: a rate of printers a second
// that stays flat as the system grows shows that finding a printer does not scan the others.
void ReportEveryPrinter(benchmark::State& state)
{
    Json printers = Json::array();
    for (int i = 0; i < state.range(0); ++i)
        printers.push_back({{"name", "Printer " + std::to_string(i)}, {"capabilities", {{"DC_COPIES", 1}}}});
    ScriptedSpooler spooler;
    spooler.Load(Json{{"printers", printers}}, "benchmark");
    MemoryDocument document;
    for (auto _ : state) {
        PrinterList list(spooler);
        ReportBuilder builder(spooler, document);
        for (const std::string& entry : list.Entries())
            builder.MakeReport(entry);
        benchmark::DoNotOptimize(document.TextLength());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ReportEveryPrinter)->Arg(4000)->Arg(16000)->Arg(32000)->Unit(benchmark::kMillisecond);

// The Windows 95 family's list of a printer with very many ports: a flat rate of ports a second
// shows that the port list is split in one pass.
void ListPortsOfOnePrinter(benchmark::State& state)
{
    std::string ports;
    for (int i = 0; i < state.range(0); ++i)
        ports += (i == 0 ? "" : ", ") + ("COM" + std::to_string(i) + ":");
    ScriptedSpooler spooler;
    spooler.Load(Json{{"system", {{"family", "95"}}},
                      {"printers", Json::array({{{"name", "Ports"}, {"printer_info", {{"5", {{"pPrinterName", "Ports"}, {"pPortName", ports}}}}}}})}},
                 "benchmark");
    for (auto _ : state) {
        PrinterList list(spooler);
        benchmark::DoNotOptimize(list.Entries().size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ListPortsOfOnePrinter)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ostrel

BENCHMARK_MAIN();
