// The report writer and the in-memory document against their floor: the same lines formatted with
// snprintf into one string. Both sides are timed in the same run (processor time), interleaved,
// best of several rounds; the writer's side includes the marker passes and the plain-text output, as a report build
// and a save do. Prints the ratios against their goals; the exit status is 1 when one is missed.
//
//   ostrel_writer_floor [LINES]     (default 100000; the linearity check uses 10 times LINES)
#include "platform/portable/memory_document.h"
#include "report/report_writer.h"
#include "tests/bench/bench_timing.h"

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <malloc.h>

namespace ostrel {
namespace {

constexpr double RatioGoal = 3.0;
constexpr double GrowthGoal = 11.0;  // for 10 times the lines
// Best of many rounds: on a shared machine the others' work only ever adds time.
constexpr int SmallRounds = 25;
constexpr int LargeRounds = 9;

constexpr char PaperFormat[] = "[%5u:%-37.37s] %5d * %5d (0.1mm) %s";

// One report-like line per index: items in their value forms, a marker now and then, a title
// every fifty lines. Calls write(kind, i) so both sides produce the very same text.
enum class Line { Title, Long, Word, Paper, NotSupported, Text };

Line KindOf(int i)
{
    if (i % 50 == 0)
        return Line::Title;
    if (i % 25 == 4)
        return Line::NotSupported;
    switch (i % 4) {
    case 0:
        return Line::Long;
    case 1:
        return Line::Word;
    case 2:
        return Line::Paper;
    default:
        return Line::Text;
    }
}

std::string WithWriter(int lines)
{
    MemoryDocument document;
    ReportWriter writer(document);
    document.BeginUpdate();
    for (int i = 0; i < lines; ++i) {
        switch (KindOf(i)) {
        case Line::Title:
            writer.AddSectionTitle("Section " + std::to_string(i));
            break;
        case Line::Long:
            writer.AddItemLong("dmSize", static_cast<DWORD>(i), "bytes", true);
            break;
        case Line::Word:
            writer.AddItemWord("dmOrientation", static_cast<WORD>(i), "");
            break;
        case Line::Paper: {
            std::string label = "DC_PAPERS";
            writer.AddItemFormat(label, PaperFormat, static_cast<unsigned>(i % 120), "DMPAPER_A4", 2100, 2970, "A4");
            break;
        }
        case Line::NotSupported:
            writer.AddItemLong("DC_PRINTRATE[2000]", 0xFFFFFFFFu, "ppm", true);
            break;
        case Line::Text:
            writer.AddItemString("pComment", "Second floor, next to the kitchen", false);
            break;
        }
    }
    writer.MarkNotSupported();
    writer.MarkExceptions();
    document.SetSelection(0, 0);
    document.EndUpdate();
    return document.PlainText();
}

void Append(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Append(std::string& out, const char* format, ...)
{
    char line[256];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    out.append(line, static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(sizeof line) - 1)));
}

std::string WithSnprintf(int lines)
{
    std::string out;
    for (int i = 0; i < lines; ++i) {
        switch (KindOf(i)) {
        case Line::Title:
            Append(out, "%s- Section %d -\r\n\r\n", i > 0 ? "\r\n" : "", i);
            break;
        case Line::Long:
            Append(out, "%-24.24s : %u bytes\r\n", "dmSize", static_cast<unsigned>(i));
            break;
        case Line::Word:
            Append(out, "%-24.24s : 0x%04X\r\n", "dmOrientation", static_cast<unsigned>(i & 0xFFFF));
            break;
        case Line::Paper:
            Append(out, "%-24.24s : ", "DC_PAPERS");
            Append(out, PaperFormat, static_cast<unsigned>(i % 120), "DMPAPER_A4", 2100, 2970, "A4");
            out += "\r\n";
            break;
        case Line::NotSupported:
            Append(out, "%-24.24s : %s\r\n", "DC_PRINTRATE[2000]", "*** NOT SUPPORTED ***");
            break;
        case Line::Text:
            Append(out, "%-24.24s : %s\r\n", "pComment", "Second floor, next to the kitchen");
            break;
        }
    }
    return out;
}

double Seconds(const std::function<std::string(int)>& build, int lines, std::size_t& size)
{
    const double start = ProcessorSeconds(CLOCK_THREAD_CPUTIME_ID);
    size = build(lines).size();
    return ProcessorSeconds(CLOCK_THREAD_CPUTIME_ID) - start;
}

struct Timing {
    double writer = 1e9;
    double floor = 1e9;
};

// Best of the rounds for each side, the two sides taking turns.
Timing Measure(int lines, int rounds)
{
    Timing best;
    std::size_t size = 0;
    for (int round = 0; round < rounds; ++round) {
        best.writer = std::min(best.writer, Seconds(WithWriter, lines, size));
        best.floor = std::min(best.floor, Seconds(WithSnprintf, lines, size));
    }
    return best;
}

}  // namespace
}  // namespace ostrel

int main(int argc, char** argv)
{
    using namespace ostrel;
    const int lines = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (lines <= 0) {
        std::fprintf(stderr, "usage: ostrel_writer_floor [LINES]\n");
        return 2;
    }
    // Both sides reuse memory the allocator already holds, at every size: otherwise blocks above
    // the allocator's mapping threshold come fresh from the kernel on every round, and the cost of
    // faulting those pages in, not the writer's work, decides how the time grows.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
    if (WithWriter(1000) != WithSnprintf(1000)) {
        std::fprintf(stderr, "writer_floor: the two sides write different text\n");
        return 2;
    }

    const Timing small = Measure(lines, SmallRounds);
    const Timing large = Measure(lines * 10, LargeRounds);
    std::printf("%d lines: writer and document %.1f ms, snprintf %.1f ms\n", lines, small.writer * 1e3,
                small.floor * 1e3);
    std::printf("%d lines: writer and document %.1f ms, snprintf %.1f ms\n", lines * 10, large.writer * 1e3,
                large.floor * 1e3);
    bool met = Verdict("writer and document / snprintf floor", small.writer / small.floor, RatioGoal);
    met &= Verdict("writer and document, time for 10x the lines", large.writer / small.writer, GrowthGoal);
    std::printf("%-58s %6.2f  (for comparison)\n", "snprintf floor, time for 10x the lines", large.floor / small.floor);
    return met ? 0 : 1;
}
