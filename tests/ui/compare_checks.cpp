// The compare command of a report window: the dialog that asks for the other side, the compare
// window it opens, whose text is what the report tool's --compare prints for the same two
// printers, the same with a snapshot file chosen through the open dialog, a file that cannot be
// read, and the document commands and Close acting on a compare window.
#include "desktop/command_table.h"
#include "desktop/windows/compare_side_dialog.h"
#include "tests/ui/bed.h"
#include "tests/ui/ostrel_session.h"
#include "tests/ui/remote_window.h"
#include "tests/ui/report_checks.h"
#include "tests/ui/std_dialogs.h"

#include <windows.h>

namespace ostrel::uitest {

namespace {

unsigned Id(CommandId command) { return static_cast<unsigned>(command); }

bool ButtonEnabledSoon(const OstrelSession& session, CommandId command) {
    return WaitUntil([&] { return ToolButtonEnabled(session.ToolBar(), static_cast<int>(Id(command))); }, 5000);
}

const std::wstring Office = L"Office-PS";
const std::wstring Pdf = L"CUPS-PDF";

std::vector<HWND> CompareWindows(const OstrelSession& session) {
    return ChildrenOf(session.MdiClient(), L"TFormOstrelCompare");
}

HWND CompareWindowCaptioned(const OstrelSession& session, const std::wstring& caption) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : CompareWindows(session)) {
                if (TextOf(window) == caption) found = window;
            }
            return found != nullptr;
        },
        30000);
    return found;
}

HWND OpenReport(const OstrelSession& session, const std::wstring& entry) {
    session.ChooseByMessage(IndexOf(session.Entries(), entry));
    HWND window = nullptr;
    WaitUntil([&] { return (window = ReportWindowCaptioned(session, entry)) != nullptr; }, 30000);
    WaitUntil([&] { return session.ActiveReport() == window; }, 5000);
    return window;
}

// Posted: the command's dialog is modal, and the driver has to answer it meanwhile.
HWND AskToCompare(const OstrelSession& session) {
    PostMessageW(session.Frame(), WM_COMMAND, MAKEWPARAM(Id(CommandId::CompareWith), 0), 0);
    return WaitForDialog(session, ComparePrinterListId);
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 15000, &result);
    return static_cast<LRESULT>(result);
}

int ListIndexOf(HWND list, const std::wstring& text) {
    return static_cast<int>(
        Send(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
}

// What the report tool prints for --compare a b: the bytes, as a saved file holds them.
std::string ToolComparison(const Bed& bed, const std::wstring& a, const std::wstring& b) {
    const std::wstring out = bed.work + L"\\compare-expected.txt";
    RunProgram(Quoted(bed.reportToolExe) + L" --compare " + Quoted(a) + L" " + Quoted(b), out);
    return ReadBytes(out).value_or("");
}

// The control has no paragraph break after its last line.
std::wstring AsShown(const std::string& bytes) {
    std::wstring text = FromAnsi(bytes);
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, L"\r\n") == 0) text.resize(text.size() - 2);
    return text;
}

void CheckCompareWithPrinter(Bed& bed, const OstrelSession& session) {
    HWND dialog = AskToCompare(session);
    if (!bed.Check(dialog != nullptr, "the compare command asks for the other side in a dialog")) return;
    bed.Screenshot(L"compare-dialog.png", dialog);
    HWND list = GetDlgItem(dialog, ComparePrinterListId);
    const int pdf = ListIndexOf(list, Pdf);
    bed.Check(pdf >= 0 && ListIndexOf(list, Office) < 0 &&
                  Send(list, LB_GETCOUNT, 0, 0) == static_cast<LRESULT>(session.Entries().size() - 1),
              "the dialog lists the list's printers but the report's own",
              std::to_string(Send(list, LB_GETCOUNT, 0, 0)) + " listed");
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(pdf), 0);
    Press(dialog, IDOK);
    WaitGone(dialog);

    HWND compare = CompareWindowCaptioned(session, L"比較 A: Office-PS / B: CUPS-PDF");
    if (!bed.Check(compare != nullptr, "OK opens a compare window whose caption names both sides")) return;
    bed.Screenshot(L"compare-window.png", session.Frame());
    const std::string expected = ToolComparison(bed, Office, Pdf);
    const std::wstring shown = session.ReportText(compare);
    bed.Check(expected.rfind("- ", 0) == 0 && shown == AsShown(expected),
              "the compare window shows what ostrel-report --compare prints for the two",
              Difference(shown, AsShown(expected)));

    // The document commands act on the active compare window; comparing again needs a report.
    bed.Check(session.CommandState(Id(CommandId::SaveAs)) == 1 && session.CommandState(Id(CommandId::Close)) == 1 &&
                  session.CommandState(Id(CommandId::CompareWith)) == 0 &&
                  ButtonEnabledSoon(session, CommandId::SaveAs) &&
                  !ToolButtonEnabled(session.ToolBar(), static_cast<int>(Id(CommandId::CompareWith))),
              "with a compare window active, Save As and Close are enabled and Compare is not");
    PostMessageW(session.Frame(), WM_COMMAND, MAKEWPARAM(Id(CommandId::SaveAs), 0), 0);
    HWND save = WaitForDialog(session, FileNameCombo);
    if (!bed.Check(save != nullptr, "Save As on a compare window opens the save dialog")) return;
    const std::wstring file = bed.work + L"\\comparison.txt";
    SaveThroughDialog(session, save, file);
    WaitGone(save);
    WaitUntil([&] { return Exists(file); });
    Settle();
    bed.Check(ReadBytes(file) == expected, "Save As writes the comparison as the report tool prints it");
}

// A snapshot of every printer: the file is chosen through the open dialog, then its printer in a
// second list. A refresh reads the file again.
void CheckCompareWithSnapshot(Bed& bed, const OstrelSession& session) {
    const std::wstring snapshot = bed.work + L"\\all-printers.json";
    RunProgram(Quoted(bed.reportToolExe) + L" --snapshot --all -o " + Quoted(snapshot));
    if (!bed.Check(Exists(snapshot), "the report tool records a snapshot of every printer")) return;
    OpenReport(session, Office);
    HWND dialog = AskToCompare(session);
    if (!bed.Check(dialog != nullptr, "the compare dialog shows again")) return;
    Press(dialog, CompareFileButtonId);
    HWND open = WaitForDialog(session, FileNameCombo);
    if (!bed.Check(open != nullptr, "the file button opens the open dialog")) return;
    SaveThroughDialog(session, open, snapshot);
    WaitGone(open);
    HWND printers = WaitForDialog(session, ComparePrinterListId);
    if (!bed.Check(printers != nullptr && !GetDlgItem(printers, CompareFileButtonId),
                   "a file of several printers asks for one of them, with no file button"))
        return;
    HWND list = GetDlgItem(printers, ComparePrinterListId);
    const int pdf = ListIndexOf(list, Pdf);
    bed.Check(pdf >= 0 && ListIndexOf(list, Office) >= 0 &&
                  Send(list, LB_GETCOUNT, 0, 0) == static_cast<LRESULT>(session.Entries().size()),
              "the second list holds every printer of the file",
              std::to_string(Send(list, LB_GETCOUNT, 0, 0)) + " listed");
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(pdf), 0);
    Press(printers, IDOK);
    HWND compare = CompareWindowCaptioned(session, L"比較 A: Office-PS / B: CUPS-PDF (all-printers.json)");
    if (!bed.Check(compare != nullptr, "a snapshot chosen through the open dialog opens a compare window")) return;
    const std::wstring side = snapshot + L":" + Pdf;
    std::string expected = ToolComparison(bed, Office, side);
    std::wstring shown = session.ReportText(compare);
    bed.Check(expected.rfind("- ", 0) == 0 && shown == AsShown(expected),
              "the compare window with a snapshot shows what ostrel-report --compare A FILE:ENTRY prints",
              Difference(shown, AsShown(expected)));

    // The file now holds only the first printer: after a refresh the second one is not in it.
    RunProgram(Quoted(bed.reportToolExe) + L" --snapshot " + Quoted(Office) + L" -o " + Quoted(snapshot));
    expected = ToolComparison(bed, Office, side);
    const auto activeDocument = [&] {
        return reinterpret_cast<HWND>(Send(session.MdiClient(), WM_MDIGETACTIVE, 0, 0));
    };
    const bool activeBefore = WaitUntil([&] { return activeDocument() == compare; }, 5000);
    session.Refresh();
    WaitUntil([&] { return session.ReportText(compare) == AsShown(expected); }, 10000);
    shown = session.ReportText(compare);
    bed.Check(expected.find("CANNOT OPEN PRINTER") != std::string::npos && shown == AsShown(expected),
              "F5 compares again with the file as it is now", Difference(shown, AsShown(expected)));
    Settle(500);
    bed.Check(activeBefore && activeDocument() == compare,
              "F5 with the compare window active leaves it active, in front of the selected printer's report",
              "active before: " + std::string(activeBefore ? "the compare window" : "another window") +
                  ", after: " + Utf8(TextOf(activeDocument())));
}

void CheckUnreadableFile(Bed& bed, const OstrelSession& session) {
    const std::wstring notes = bed.work + L"\\not-a-snapshot.json";
    HANDLE file = CreateFileW(notes.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "no printers here", 16, &written, nullptr);
    CloseHandle(file);
    OpenReport(session, Office);
    const std::size_t windows = CompareWindows(session).size();
    HWND dialog = AskToCompare(session);
    if (!bed.Check(dialog != nullptr, "the compare dialog shows for the unreadable file")) return;
    Press(dialog, CompareFileButtonId);
    HWND open = WaitForDialog(session, FileNameCombo);
    if (!bed.Check(open != nullptr, "the open dialog shows for the unreadable file")) return;
    SaveThroughDialog(session, open, notes);
    HWND box = WaitForMessageBox(session);
    const std::wstring text = box ? TextOf(GetDlgItem(box, MessageText)) : L"";
    bed.Check(text.find(L"ファイルを読み込めません") != std::wstring::npos && text.find(notes) != std::wstring::npos,
              "a file that is no snapshot is named in a message box", Utf8(text));
    if (box) Press(box, IDOK);
    WaitGone(box);
    Settle();
    bed.Check(session.Running() && CompareWindows(session).size() == windows &&
                  session.ActiveReport() == ReportWindowCaptioned(session, Office),
              "after the message, no compare window was added and the report is still active");
}

// The open dialog refuses a name too long for it, as the save dialog does, and the program goes on.
void CheckLongFileName(Bed& bed, const OstrelSession& session) {
    OpenReport(session, Office);
    HWND dialog = AskToCompare(session);
    if (!bed.Check(dialog != nullptr, "the compare dialog shows for a long file name")) return;
    Press(dialog, CompareFileButtonId);
    HWND open = WaitForDialog(session, FileNameCombo);
    if (!bed.Check(open != nullptr, "the open dialog shows for a long file name")) return;
    SetControlText(open, FileNameCombo, std::wstring(300, L'x') + L".json");
    Press(open, IDOK);
    HWND box = WaitForMessageBox(session);
    const std::wstring text = box ? TextOf(GetDlgItem(box, MessageText)) : L"";
    if (box) Press(box, IDOK);
    WaitGone(box);
    bed.Check(session.Running() && text.find(L"ファイル名が長すぎます") == 0 && IsWindow(open),
              "a file name of 300 characters in the compare's open dialog is refused with a message; the program "
              "goes on",
              Utf8(text));
    if (IsWindow(open)) {
        Press(open, IDCANCEL);
        WaitGone(open);
    }
}

void CheckClosing(Bed& bed, const OstrelSession& session) {
    const std::size_t reports = session.ReportWindows().size();
    std::vector<HWND> compares = CompareWindows(session);
    for (HWND compare : compares) {
        Send(session.MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(compare), 0);
        session.Command(Id(CommandId::Close));
        WaitUntil([&] { return !IsWindow(compare); }, 10000);
    }
    bed.Check(!compares.empty() && CompareWindows(session).empty() && session.ReportWindows().size() == reports,
              "Close closes the active compare window and leaves the report windows open");
}

}  // namespace

void RunCompareChecks(Bed& bed) {
    OstrelSession session(bed.ostrelExe);
    if (!bed.Check(session.Started(), "Ostrel.exe starts for the compare checks")) return;
    const auto entries = session.Entries();
    if (!bed.Check(IndexOf(entries, Office) >= 0 && IndexOf(entries, Pdf) >= 0,
                   "the test bed lists the printers of the compare checks"))
        return;
    bed.Check(session.CommandState(Id(CommandId::CompareWith)) == 0, "with no report window, Compare is disabled");
    if (!bed.Check(OpenReport(session, Office) != nullptr, "a report window opens for the compare checks")) return;
    bed.Check(session.CommandState(Id(CommandId::CompareWith)) == 1 &&
                  ButtonEnabledSoon(session, CommandId::CompareWith),
              "with a report window active, Compare is enabled, on the tool bar too");
    CheckCompareWithPrinter(bed, session);
    CheckCompareWithSnapshot(bed, session);
    CheckUnreadableFile(bed, session);
    CheckLongFileName(bed, session);
    CheckClosing(bed, session);
}

}  // namespace ostrel::uitest
