// Starts Ostrel.exe and prints the entries of its printer list, one a line in UTF-8, once the
// list is filled; tests/package/run.sh compares them with the report tool's --list.
//   printer-list OSTREL_EXE
#include "tests/common/tally.h"
#include "tests/ui/ostrel_session.h"

#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: printer-list OSTREL_EXE\n");
        return 2;
    }
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ostrel::uitest::OstrelSession session(argv[1]);
    if (!session.Started()) {
        std::fprintf(stderr, "printer-list: Ostrel.exe did not start with a filled printer list\n");
        return 1;
    }
    for (const std::wstring& entry : session.Entries()) std::printf("%s\n", ostrel::testing::Utf8(entry).c_str());
    session.Close();
    return 0;
}
