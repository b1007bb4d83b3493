// A report window's document commands through the real dialogs and keys: copy and select all,
// save as plain and rich text, failed saves, find, the change notices, and printing.
#include "desktop/command_table.h"
#include "tests/ui/bed.h"
#include "tests/ui/ostrel_session.h"
#include "tests/ui/printed_text.h"
#include "tests/ui/remote_window.h"
#include "tests/ui/report_checks.h"
#include "tests/ui/std_dialogs.h"

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>

namespace ostrel::uitest {

namespace {

unsigned Id(CommandId command) { return static_cast<unsigned>(command); }

const std::wstring Printer = L"Office-PS";

struct Report {
    OstrelSession& session;
    HWND window;
    HWND richEdit;

    CHARRANGE Selection() const { return RichEditSelection(session.Process(), richEdit); }
    // The selected text, in the control's own positions (a paragraph break counts one).
    std::wstring Selected() const {
        const auto text = session.ReportText(window, false);
        const auto range = Selection();
        if (range.cpMin < 0 || range.cpMax > static_cast<LONG>(text.size()) || range.cpMin > range.cpMax) return {};
        return text.substr(static_cast<std::size_t>(range.cpMin), static_cast<std::size_t>(range.cpMax - range.cpMin));
    }
    void Select(LONG start, LONG end) const {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(richEdit, EM_SETSEL, static_cast<WPARAM>(start), end, SMTO_NORMAL, 10000, &ignored);
    }
    void Keys(const std::string& keys) const {
        session.Focus(richEdit);
        PressKeys(keys);
    }
};

std::wstring Lower(std::wstring text) {
    for (auto& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

bool IsWordCharacter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9');
}

// Closes a message box that is expected and gives its text.
std::wstring TakeMessageBox(const OstrelSession& session, unsigned long timeoutMs = 10000) {
    HWND box = WaitForMessageBox(session, timeoutMs);
    if (!box) return {};
    const auto text = TextOf(GetDlgItem(box, MessageText));
    Press(box, IDOK);
    WaitGone(box);
    return text;
}

void CheckCopyAndSelectAll(Bed& bed, const Report& report) {
    report.Select(0, 0);
    Settle();
    bed.Check(report.session.CommandState(Id(CommandId::Copy)) == 0, "Copy is disabled while nothing is selected");
    bed.Check(report.session.CommandState(Id(CommandId::SelectAll)) == 1, "Select all is enabled for a report");
    report.Keys("ctrl+a");
    const auto whole = report.session.ReportText(report.window, false);
    const auto all = report.Selection();
    bed.Check(all.cpMin == 0 && (all.cpMax == -1 || all.cpMax >= static_cast<LONG>(whole.size())),
              "Ctrl+A selects the whole report");
    bed.Check(report.session.CommandState(Id(CommandId::Copy)) == 1, "Copy is enabled once text is selected");
    report.Keys("ctrl+c");
    const auto copied = ClipboardText();
    const auto difference = Difference(copied, report.session.ReportText(report.window, true));
    bed.Check(difference.empty(), "Ctrl+C puts the selected report on the clipboard", difference);
    report.Select(0, 0);
}

void CheckSaving(Bed& bed, const Report& report) {
    struct Case {
        const wchar_t* typed;   // what the user types into the file name box
        const wchar_t* saved;   // the file that results
        const char* format;
    };
    // Only the final name's extension decides, in any letter case; the dialog adds "rtf" to a bare name.
    const Case cases[] = {
        {L"plain.txt", L"plain.txt", "plain text"},       {L"rich.rtf", L"rich.rtf", "rich text"},
        {L"upper.RTF", L"upper.RTF", "rich text"},        {L"mixed.Rtf", L"mixed.Rtf", "rich text"},
        {L"double.rtf.txt", L"double.rtf.txt", "plain text"}, {L"bare", L"bare.rtf", "rich text"},
        {L"again.txt", L"again.txt", "plain text"},
    };
    const ReportTool tool = bed.Tool();
    CreateDirectoryW((bed.work + L"\\saved").c_str(), nullptr);
    CreateDirectoryW((bed.work + L"\\expected").c_str(), nullptr);
    for (const auto& c : cases) {
        const std::wstring target = bed.work + L"\\saved\\" + c.saved;
        const std::string what = "Save as \"" + Utf8(c.typed) + "\" writes " + c.format + " equal to the report tool's";
        report.Keys("ctrl+s");
        HWND dialog = WaitForDialog(report.session, FileNameCombo);
        if (!dialog) dialog = WaitForDialog(report.session, FileNameEdit, 1000);
        if (!bed.Check(dialog != nullptr, what, "no save dialog appeared")) return;
        SaveThroughDialog(report.session, dialog, bed.work + L"\\saved\\" + c.typed);
        WaitGone(dialog);
        const auto expected = tool.Report(L"Office-PS", bed.work + L"\\expected\\" + c.saved);
        WaitUntil([&] { return Exists(target); });
        Settle();
        const auto saved = ReadBytes(target);
        bed.Check(saved && expected && *saved == *expected, what,
                  saved ? std::to_string(saved->size()) + " bytes written, the tool wrote " +
                              std::to_string(expected ? expected->size() : 0)
                        : "no file");
    }

    // A folder nobody may write in (run.sh makes it so, also for the administrator, where it can).
    if (bed.readOnlyFolder.empty()) {
        std::printf("SKIPPED [%s] saving into a read-only folder: run.sh could not make one here\n", bed.build.c_str());
    } else {
        // run.sh left a file in it, which the save must leave exactly as it was.
        const std::wstring kept = bed.readOnlyFolder + L"\\kept.txt";
        const auto before = ReadBytes(kept);
        report.Keys("ctrl+s");
        HWND dialog = WaitForDialog(report.session, FileNameCombo);
        SaveThroughDialog(report.session, dialog, kept);
        HWND ask = WaitForMessageBox(report.session);
        if (ask && GetDlgItem(ask, IDYES)) {  // the dialog first asks whether to replace the file
            Press(ask, IDYES);
            WaitGone(ask);
        }
        const auto failure = TakeMessageBox(report.session);
        bed.Check(failure.find(L"kept.txt」に保存できませんでした。") != std::wstring::npos &&
                      failure.find(L"\n\nシステムの説明: ") != std::wstring::npos,
                  "saving into a read-only folder says so in Japanese, naming the file, with the system's reason",
                  Utf8(failure));
        bed.Check(before && ReadBytes(kept) == before, "the file there before is left as it was");
        if (HWND still = report.session.Dialog(FileNameCombo)) {
            Press(still, IDCANCEL);
            WaitGone(still);
        }
    }
    WIN32_FIND_DATAW found{};
    int files = 0;
    HANDLE search = FindFirstFileW((bed.work + L"\\saved\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    bed.Check(files == static_cast<int>(std::size(cases)), "the saves leave no other file behind",
              std::to_string(files) + " files");

    // A folder that vanished between choosing and confirming.
    const std::wstring folder = bed.work + L"\\vanishing";
    CreateDirectoryW(folder.c_str(), nullptr);
    report.Keys("ctrl+s");
    HWND dialog = WaitForDialog(report.session, FileNameCombo);
    RemoveDirectoryW(folder.c_str());
    SaveThroughDialog(report.session, dialog, folder + L"\\report.txt");
    const auto vanished = TakeMessageBox(report.session);
    bed.Check(!vanished.empty() && !Exists(folder + L"\\report.txt"),
              "saving into a vanished folder shows a message and writes nothing", Utf8(vanished));
    // The file dialog may say it first, in the system's words; a message of the program's is Japanese.
    bed.Check(vanished.find(L"cannot write") == std::wstring::npos, "the message is not the program's English one",
              Utf8(vanished));
    // Whichever said it, the dialog may still be open: leave it.
    if (HWND still = report.session.Dialog(FileNameCombo)) {
        Press(still, IDCANCEL);
        WaitGone(still);
    }
    // A name of 300 characters overran the file dialog's own buffer and ended the program: the
    // dialog now refuses it with a message and stays open.
    report.Keys("ctrl+s");
    HWND longName = WaitForDialog(report.session, FileNameCombo);
    if (longName) {
        SetControlText(longName, FileNameCombo, std::wstring(300, L'x') + L".txt");
        Press(longName, IDOK);
        const auto refused = TakeMessageBox(report.session);
        bed.Check(report.session.Running() && refused.find(L"ファイル名が長すぎます") == 0 && IsWindow(longName),
                  "a file name of 300 characters in the save dialog is refused with a message; the program goes on",
                  Utf8(refused));
        if (IsWindow(longName)) {
            Press(longName, IDCANCEL);
            WaitGone(longName);
        }
    } else {
        bed.tally.Fail(bed.Name("the save dialog shows for a long file name"));
    }
    bed.Check(report.session.Running(), "the program goes on after failed saves");
}

void CheckFind(Bed& bed, const Report& report, const Report& fresh) {
    const auto before = fresh.Selection();
    fresh.Keys("F3");
    Settle(800);
    bed.Check(MessageBoxOf(fresh.session) == nullptr && fresh.Selection().cpMin == before.cpMin,
              "Find next before any search does nothing");

    report.Select(0, 0);
    report.Keys("ctrl+f");
    HWND dialog = WaitForDialog(report.session, FileNameEdit);
    if (!bed.Check(dialog != nullptr, "Ctrl+F shows the find dialog")) return;
    SetControlText(dialog, FileNameEdit, L"not supported");
    SetChecked(dialog, MatchCaseBox, false);
    SetChecked(dialog, WholeWordBox, false);
    Press(dialog, IDOK);
    WaitUntil([&] { return report.Selection().cpMax > 0; });
    const auto first = report.Selection();
    bed.Check(Lower(report.Selected()) == L"not supported",
              "without match case, \"not supported\" finds the marker text", Utf8(report.Selected()));

    report.Keys("F3");
    const auto second = report.Selection();
    bed.Check(second.cpMin > first.cpMin && Lower(report.Selected()) == L"not supported",
              "F3 after a hit finds the following occurrence");
    report.Keys("shift+F3");
    bed.Check(report.Selection().cpMin == first.cpMin, "Shift+F3 after a hit finds the one before it");

    SetChecked(dialog, MatchCaseBox, true);
    Press(dialog, IDOK);
    const auto notFound = TakeMessageBox(report.session);
    bed.Check(notFound == L"not supportedが見つかりません", "with match case the search fails with its message",
              Utf8(notFound));
    bed.Check(report.Selection().cpMin == first.cpMin, "a failed search leaves the selection as it was");

    // Whole words: every hit stands between delimiters; the search ends with the message and
    // leaves the last hit selected (no wrap-around).
    SetControlText(dialog, FileNameEdit, L"DMPAPER_A4");
    SetChecked(dialog, MatchCaseBox, false);
    SetChecked(dialog, WholeWordBox, true);
    report.Select(0, 0);
    Press(dialog, IDOK);
    const auto text = report.session.ReportText(report.window, false);
    std::vector<LONG> hits;
    bool delimited = true;
    std::wstring message;
    for (int guard = 0; guard < 200; ++guard) {
        if (HWND box = MessageBoxOf(report.session)) {
            message = TakeMessageBox(report.session);
            (void)box;
            break;
        }
        const auto hit = report.Selection();
        if (hits.empty() || hit.cpMin != hits.back()) {
            hits.push_back(hit.cpMin);
            const auto end = static_cast<std::size_t>(hit.cpMax);
            delimited = delimited && (hit.cpMin == 0 || !IsWordCharacter(text[hit.cpMin - 1])) &&
                        (end >= text.size() || !IsWordCharacter(text[end]));
        }
        report.Keys("F3");
        Settle(200);
    }
    bed.Check(!hits.empty() && delimited, "whole-word hits of DMPAPER_A4 all stand between delimiters",
              std::to_string(hits.size()) + " hits");
    bed.Check(message == L"DMPAPER_A4が見つかりません" && !hits.empty() && report.Selection().cpMin == hits.back(),
              "searching on from the last hit shows the message and keeps the last hit selected", Utf8(message));

    // The dialog's direction up searches backward; F3 still searches forward.
    if (hits.size() >= 3) {
        report.Select(hits[1], hits[1] + 10);
        SetChecked(dialog, DirectionDown, false);
        SetChecked(dialog, DirectionUp, true);
        Press(dialog, IDOK);
        bed.Check(WaitUntil([&] { return report.Selection().cpMin == hits[0]; }, 5000),
                  "with the direction up the dialog's button finds the hit before");
        report.Keys("F3");
        bed.Check(report.Selection().cpMin == hits[1], "F3 searches forward whatever the dialog's direction");
    }
}

void CheckNotices(Bed& bed, OstrelSession& session, const Report& report) {
    const auto reportBefore = session.ReportText(report.window);
    const wchar_t* section = L"windows";
    const wchar_t* device = L"Office-PS";
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(section), SMTO_ABORTIFHUNG,
                        5000, &ignored);
    SendMessageTimeoutW(HWND_BROADCAST, WM_DEVMODECHANGE, 0, reinterpret_cast<LPARAM>(device), SMTO_ABORTIFHUNG, 5000,
                        &ignored);
    SendMessageTimeoutW(session.Frame(), WM_SETTINGCHANGE, 0, 0, SMTO_NORMAL, 5000, &ignored);
    const std::wstring expected =
        L"* プリンタ情報が更新されています *\n\nWM_SETTINGCHANGE: windows\nWM_DEVMODECHANGE: Office-PS\nWM_SETTINGCHANGE: ";
    std::wstring tip;
    WaitUntil([&] { return (tip = StatusBarTip(session.Process(), session.StatusBar(), 1)) == expected; }, 5000);
    bed.Check(tip == expected, "the notices show in the status bar's tooltip, one line each in arrival order",
              Utf8(tip));
    bed.Check(session.ReportText(report.window) == reportBefore, "report windows do not react to the notices");
}

// The job-name attribute of a job's control file (IPP encoding: name length, name, value length, value).
std::string JobName(const std::wstring& controlFile) {
    const std::string bytes = ReadBytes(controlFile).value_or("");
    const std::string attribute = "job-name";
    const auto at = bytes.find(attribute);
    if (at == std::string::npos || at + attribute.size() + 2 > bytes.size()) return {};
    const auto lengthAt = at + attribute.size();
    const std::size_t length = (static_cast<unsigned char>(bytes[lengthAt]) << 8) |
                               static_cast<unsigned char>(bytes[lengthAt + 1]);
    return bytes.substr(lengthAt + 2, length);
}

void CheckPrinting(Bed& bed, const Report& report) {
    DeleteFileW(bed.printFile.c_str());
    const auto jobsBefore = JobFiles(bed);
    const auto caption = TextOf(report.session.Frame());
    report.Keys("ctrl+p");
    HWND dialog = WaitForDialog(report.session, PrinterNameCombo);
    if (!bed.Check(PrintThroughDialog(dialog, L"Print-File"), "Ctrl+P shows the print dialog with the file queue"))
        return;
    std::string printed;
    WaitUntil(
        [&] {
            printed = ReadBytes(bed.printFile).value_or("");
            return printed.find("%%EOF") != std::string::npos;
        },
        120000);
    if (!bed.Check(!printed.empty(), "the printed report arrives at the file queue")) return;
    const auto glyphs = ReadPrintedGlyphs(printed);
    bed.Check(FromAnsi(glyphs.title) == caption, "the document is named as the frame's caption",
              glyphs.title + " / " + Utf8(caption));
    std::vector<std::wstring> newJobs;
    WaitUntil([&] {
        newJobs.clear();
        for (const auto& job : JobFiles(bed)) {
            if (std::find(jobsBefore.begin(), jobsBefore.end(), job) == jobsBefore.end()) newJobs.push_back(job);
        }
        return !newJobs.empty();
    });
    const std::string jobName = newJobs.size() == 1 ? JobName(newJobs.front()) : std::string{};
    bed.Check(newJobs.size() == 1 && FromUtf8(jobName) == caption,
              "the print server received one job, named as the frame's caption",
              std::to_string(newJobs.size()) + " jobs, named \"" + jobName + "\"");
    const auto difference = CompareWithText(glyphs, report.session.ReportText(report.window, false));
    bed.Check(difference.empty(), "the printout shows the report's text, page by page",
              difference + " (" + std::to_string(glyphs.pages) + " pages)");
}

}  // namespace

void RunDocumentChecks(Bed& bed) {
    OstrelSession session(bed.ostrelExe);
    if (!bed.Check(session.Started(), "Ostrel.exe starts for the document commands")) return;
    const auto entries = session.Entries();
    const int index = IndexOf(entries, Printer);
    if (!bed.Check(index >= 0, "the test bed lists Office-PS")) return;
    session.ChooseByMessage(index);
    if (!bed.Check(WaitUntil([&] { return !session.ReportWindows().empty(); }, 30000), "a report window opens"))
        return;
    HWND window = session.ReportWindows().front();
    Report report{session, window, session.RichEditOf(window)};

    const CommandId reportButtons[] = {CommandId::Find, CommandId::FindNext, CommandId::SaveAs, CommandId::Print};
    for (CommandId command : reportButtons) {
        bed.Check(WaitUntil([&] { return ToolButtonEnabled(session.ToolBar(), static_cast<int>(Id(command))); }, 5000),
                  "with a report window, the tool bar's " + Utf8(CommandInfoOf(command).caption) + " is enabled");
    }
    CheckCopyAndSelectAll(bed, report);
    CheckSaving(bed, report);
    CheckNotices(bed, session, report);

    // A second window has a find dialog of its own that was never used.
    const int other = index == 0 ? 1 : 0;
    session.ChooseByMessage(other);
    WaitUntil([&] { return session.ReportWindows().size() == 2; }, 30000);
    HWND otherWindow = ReportWindowCaptioned(session, entries[static_cast<std::size_t>(other)]);
    Report fresh{session, otherWindow, session.RichEditOf(otherWindow)};
    session.ChooseByMessage(index);
    CheckFind(bed, report, fresh);

    // F5 and Ctrl+W work while the find dialog has the focus.
    if (HWND find = session.Dialog(FileNameEdit)) {
        session.Focus(GetDlgItem(find, FileNameEdit));
        PressKeys("F5");
        bed.Check(WaitUntil([&] { return StatusBarTip(session.Process(), session.StatusBar(), 1).empty(); }, 10000),
                  "F5 in the find dialog refreshes, which clears the notices and the tooltip");
    }
    CheckPrinting(bed, report);
}

}  // namespace ostrel::uitest
