// Handle hygiene: after 200 refreshes with report windows open, the program holds as many GDI and
// USER objects and as much private memory as after the first refresh.
#include "tests/ui/bed.h"
#include "tests/ui/ostrel_session.h"
#include "tests/ui/process_counters.h"
#include "tests/ui/remote_window.h"

#include <cstdio>

namespace ostrel::uitest {

namespace {

constexpr int Refreshes = 200;
constexpr int MidwayRefresh = 100;
constexpr std::size_t OpenReports = 3;

// What may change without a leak, and why it stays far below what a leak of one thing per refresh
// adds over 199 refreshes:
// - GDI objects: under Wine, device contexts with their regions grow once, on the second refresh
//   with several windows open (by 9 to 15 objects), then hold (600 refreshes tried). A leak of one
//   object a refresh would add 199; from refresh 100 to 200 nothing may be added at all.
// - Private bytes: the heap commits memory in 64 KiB steps and keeps what it freed. Wine's
//   rich-text control keeps 300 to 520 bytes of every RTF text loaded into it (a bare
//   "{\rtf1\ansi hello\par}" too; plain text nothing), which is Wine's, not the program's: 1 KiB a report
//   allowed. A report of the test bed is 11 to 16 KB of text, held in the document, as RTF and in
//   the control: one report leaked a refresh would add several MB; this lets through under 4 KiB
//   a refresh beyond Wine's.
constexpr long GdiCacheGrowth = 32;
constexpr long long HeapSlack = 128 << 10;
constexpr long long RtfLoadAllowance = 1 << 10;

long long PrivateTolerance(int refreshes) {
    return HeapSlack + refreshes * static_cast<long long>(OpenReports) * RtfLoadAllowance;
}

}  // namespace

void RunHygieneChecks(Bed& bed) {
    OstrelSession session(bed.ostrelExe);
    if (!bed.Check(session.Started(), "Ostrel.exe starts for the handle-hygiene check")) return;
    const auto entries = session.Entries();
    if (!bed.Check(entries.size() >= OpenReports, "the test bed lists at least three printers")) return;
    for (std::size_t i = 0; i < OpenReports; ++i) session.ChooseByMessage(static_cast<int>(i));
    if (!bed.Check(WaitUntil([&] { return session.ReportWindows().size() == OpenReports; }, 30000),
                   "three report windows are open before the refreshes"))
        return;

    const ULONGLONG start = GetTickCount64();
    ResourceCounts first, midway;
    int handled = 0;
    // A program that stops answering ends the run: each refresh would wait its full time.
    while (handled < Refreshes && session.Refresh()) {
        ++handled;
        if (handled == 1) first = CountResources(session.Process(), session.ProcessId());
        if (handled == MidwayRefresh) midway = CountResources(session.Process(), session.ProcessId());
    }
    const ResourceCounts last = CountResources(session.Process(), session.ProcessId());
    const double seconds = static_cast<double>(GetTickCount64() - start) / 1000;

    std::printf("MEASURED %s counted from: GDI objects, %s; USER objects, %s; private bytes, %s\n",
                bed.Name("handle hygiene").c_str(), first.gdiSource.c_str(), first.userSource.c_str(),
                first.privateSource.c_str());
    std::printf("MEASURED %s %d refreshes with %zu report windows in %.0f s; after refresh 1: %s; after %d: %s; "
                "after %d: %s\n",
                bed.Name("handle hygiene").c_str(), Refreshes, OpenReports, seconds, first.Describe().c_str(),
                MidwayRefresh, midway.Describe().c_str(), Refreshes, last.Describe().c_str());
    std::fflush(stdout);

    if (!bed.Check(handled == Refreshes, "every one of 200 refreshes ran to its end", std::to_string(handled) + " did"))
        return;
    bed.Check(session.ReportWindows().size() == OpenReports, "the three report windows stay open through them");
    if (!bed.Check(first.gdiObjects >= 0 && first.userObjects >= 0 && first.privateBytes >= 0,
                   "the program's GDI and USER objects and private bytes can be counted", first.Describe()))
        return;
    const std::string figures = "after refresh 1: " + first.Describe() + "; after " +
                                std::to_string(MidwayRefresh) + ": " + midway.Describe() + "; after " +
                                std::to_string(Refreshes) + ": " + last.Describe();
    bed.Check(last.gdiObjects - first.gdiObjects <= GdiCacheGrowth && last.gdiObjects == midway.gdiObjects,
              "after 200 refreshes the program holds the GDI objects it held after the first (the one-time "
              "growth of device contexts aside), and none were added after refresh 100",
              figures);
    bed.Check(last.userObjects == first.userObjects,
              "after 200 refreshes the program holds the USER objects it held after the first", figures);
    bed.Check(last.privateBytes - first.privateBytes <= PrivateTolerance(Refreshes - 1) &&
                  last.privateBytes - midway.privateBytes <= PrivateTolerance(Refreshes - MidwayRefresh),
              "after 200 refreshes the program's private bytes are back where they were after the first (within "
              "the heap's steps and Wine's rich-text control's share), also since refresh 100",
              figures);
}

}  // namespace ostrel::uitest
