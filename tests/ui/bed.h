// What every group of checks shares: the programs under test, the folders, the tally.
#pragma once

#include "tests/common/tally.h"
#include "tests/ui/host.h"

#include <windows.h>

#include <string>

namespace ostrel::uitest {

using testing::Tally;
using testing::Utf8;

struct Bed {
    std::wstring ostrelExe;       // Ostrel.exe
    std::wstring reportToolExe;   // ostrel-report.exe of the same build
    std::wstring work;            // a folder of the driver's own (Windows path)
    std::wstring artefacts;       // where screenshots go (Linux path, for the screenshot script)
    std::wstring screenshotTool;  // tools/testbed/xvfb-screenshot.sh (Linux path)
    std::wstring screen;          // the display's screen file, which Xvfb keeps up to date (Windows path)
    std::wstring printFile;       // what the file-device queue writes (Windows path)
    std::wstring spool;           // the print server's spool folder: a control file per job (Windows path)
    std::wstring readOnlyFolder;  // a folder nobody can write in, or empty where none could be made
    std::string build;            // "win32" or "win64": a prefix of every check's name
    Tally tally;

    ReportTool Tool() const { return ReportTool(reportToolExe, work); }
    std::string Name(const std::string& what) const { return "[" + build + "] " + what; }
    bool Check(bool ok, const std::string& what, const std::string& detail = {}) {
        return tally.Check(ok, Name(what), detail);
    }
    // A picture of the window as the display shows it now, into artefacts/name.
    void Screenshot(const std::wstring& name, HWND window) const;
};

// Printers added and removed while the program runs: the print server's queue and the spooler's
// printer for it.
void AddQueue(const std::wstring& name);
void RemoveQueue(const std::wstring& name);

class OstrelSession;
// Pixel checks of what the report window draws; leaves the window maximized as it found it.
void CheckDrawing(Bed& bed, const OstrelSession& session, HWND report);
// Whether a control draws the underscore at index `at` of text (drawn in font), from the display's
// pixels in area: the text begins at the first ink right of screen column searchFrom, and the
// underscore's own cell, measured with the same font, must hold ink.
void CheckUnderscoreInk(Bed& bed, const std::string& where, const RECT& area, int searchFrom, const LOGFONTW& font,
                        const std::wstring& text, std::size_t at);
// The font the program's lists and printer list use.
LOGFONTW FormFont();

void RunFrameChecks(Bed& bed);
void RunDocumentChecks(Bed& bed);
void RunHygieneChecks(Bed& bed);
void RunWindowChecks(Bed& bed);
void RunPrintChecks(Bed& bed);
void RunFindingsChecks(Bed& bed);
void RunCompareChecks(Bed& bed);

}  // namespace ostrel::uitest
