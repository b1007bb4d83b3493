// Drives Ostrel.exe from outside, through real window messages, key presses on the display and the
// standard dialogs, and checks what its windows show against the report tool and the print server,
// and that refreshing leaves no GDI or USER objects or memory behind.
//
//   ui_driver.exe --build NAME --ostrel EXE --tool EXE --work DIR --artefacts LINUXDIR
//                 --screenshot-tool LINUXPATH --screen PATH --print-file PATH --spool DIR
//                 [--read-only-folder DIR] [--only frame|document|hygiene|window|print|findings|compare]
//
// Prints "FAILED ..." for each failed check and ends with "N passed, N failed".
#include "tests/ui/bed.h"

#include <windows.h>

#include <cstdio>
#include <map>
#include <utility>

int wmain(int argc, wchar_t** argv) {
    using namespace ostrel::uitest;
    std::map<std::wstring, std::wstring> options;
    for (int i = 1; i + 1 < argc; i += 2) options[argv[i]] = argv[i + 1];
    const char* required[] = {"--build", "--ostrel", "--tool", "--work", "--artefacts", "--screenshot-tool",
                              "--screen", "--print-file", "--spool"};
    for (const char* name : required) {
        if (!options.count(FromUtf8(name))) {
            std::fprintf(stderr, "ui_driver: missing %s\n", name);
            return 2;
        }
    }
    Bed bed;
    bed.build = Utf8(options[L"--build"]);
    bed.ostrelExe = options[L"--ostrel"];
    bed.reportToolExe = options[L"--tool"];
    bed.work = options[L"--work"];
    bed.artefacts = options[L"--artefacts"];
    bed.screenshotTool = options[L"--screenshot-tool"];
    bed.screen = options[L"--screen"];
    bed.printFile = options[L"--print-file"];
    bed.spool = options[L"--spool"];
    bed.readOnlyFolder = options[L"--read-only-folder"];

    // A crash of the driver itself must not leave a dialog waiting for a click.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);

    const std::pair<const wchar_t*, void (*)(Bed&)> groups[] = {
        {L"frame", RunFrameChecks},   {L"document", RunDocumentChecks}, {L"hygiene", RunHygieneChecks},
        {L"window", RunWindowChecks}, {L"print", RunPrintChecks},         {L"findings", RunFindingsChecks},
        {L"compare", RunCompareChecks},
    };
    const std::wstring only = options[L"--only"];
    for (const auto& [name, run] : groups) {
        if (only.empty() || only == name) run(bed);
    }

    std::printf("%s\n", bed.tally.Summary().c_str());
    // Out before anything at exit can stand in its way: the run script reads this line.
    std::fflush(stdout);
    return bed.tally.Failed() == 0 ? 0 : 1;
}
