// Holds Ostrel.exe with report windows open and refreshes it on request, for the refresh part of
// tools/bench-ratios.sh, which measures each refresh's processor time from outside (under Wine
// another process's processor time cannot be read from within):
//
//   refresh-bench OSTREL_EXE WINDOWS
//
// Starts the program, opens the report windows of its first WINDOWS printer entries and prints
// "ready ENTRIES WINDOWS" (the entries it lists, the windows open). Then each line "refresh" on
// standard input refreshes it with the refresh command, as F5 does, and is answered "refreshed",
// or "failed" when the frame did not handle it in time. The end of the input ends the program.
#include "tests/ui/ostrel_session.h"
#include "tests/ui/remote_window.h"

#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>

int wmain(int argc, wchar_t** argv) {
    using namespace ostrel::uitest;
    if (argc != 3) {
        std::fprintf(stderr, "usage: refresh-bench OSTREL_EXE WINDOWS\n");
        return 2;
    }
    const std::size_t windows = static_cast<std::size_t>(_wtoi(argv[2]));
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    OstrelSession session(argv[1]);
    if (!session.Started()) {
        std::fprintf(stderr, "refresh-bench: Ostrel.exe did not start with a filled printer list\n");
        return 1;
    }
    const std::size_t entries = session.Entries().size();
    for (std::size_t i = 0; i < windows && i < entries; ++i) {
        session.ChooseByMessage(static_cast<int>(i));
        WaitUntil([&] { return session.ReportWindows().size() == i + 1; }, 60000);
    }
    std::printf("ready %zu %zu\n", entries, session.ReportWindows().size());
    std::fflush(stdout);
    for (std::string line; std::getline(std::cin, line);) {
        if (line.rfind("refresh", 0) != 0) continue;
        std::printf("%s\n", session.Refresh() ? "refreshed" : "failed");
        std::fflush(stdout);
    }
    return 0;
}
