// The windows as a user handles them with keys and clicks: the tool bar follows the active report,
// shortcuts belong to the control with the focus, a refresh that removes the selected printer,
// find next from the find dialog, the About box, and menus whose texts stay whole and apart from
// their shortcuts.
#include "desktop/command_table.h"
#include "tests/ui/bed.h"
#include "tests/ui/ostrel_session.h"
#include "tests/ui/remote_window.h"
#include "tests/ui/report_checks.h"
#include "tests/ui/screen_capture.h"
#include "tests/ui/std_dialogs.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

namespace ostrel::uitest {

namespace {

unsigned Id(CommandId command) { return static_cast<unsigned>(command); }

const std::wstring Vanishing = L"Ui-Vanishing";
// 47 characters: the end is what tells such names apart.
const std::wstring LongName = L"Ui-Long-Printer-Name-In-The-Window-Menu-End-XYZ";
// Its window is opened last: the Window menu lists it last.
const std::wstring Underscored = L"Ui_Under_Score";
const CommandId ReportButtons[] = {CommandId::Find, CommandId::FindNext, CommandId::SaveAs, CommandId::Print,
                                   CommandId::Findings, CommandId::CompareWith};

bool WaitForWindows(const OstrelSession& session, std::size_t count) {
    return WaitUntil([&] { return session.ReportWindows().size() == count; }, 30000);
}

HWND Open(const OstrelSession& session, const std::wstring& entry) {
    session.ChooseByMessage(IndexOf(session.Entries(), entry));
    HWND window = nullptr;
    WaitUntil([&] { return (window = ReportWindowCaptioned(session, entry)) != nullptr; }, 30000);
    return window;
}

bool AllReportButtons(const OstrelSession& session, bool enabled) {
    for (CommandId command : ReportButtons) {
        if (ToolButtonEnabled(session.ToolBar(), static_cast<int>(Id(command))) != enabled) return false;
    }
    return true;
}

void CheckToolBar(Bed& bed, const OstrelSession& session, const std::wstring& first, const std::wstring& second) {
    Open(session, first);
    HWND active = Open(session, second);
    if (!bed.Check(active != nullptr && session.ActiveReport() == active, "two report windows, the second active"))
        return;
    bed.Check(WaitUntil([&] { return AllReportButtons(session, true); }, 5000),
              "with a report window active, the tool bar's report buttons are enabled");
    const RECT button = ToolButtonScreenRect(session.Process(), session.ToolBar(), static_cast<int>(Id(CommandId::SaveAs)));
    session.Focus();
    ClickAt((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    HWND dialog = WaitForDialog(session, FileNameCombo);
    if (!bed.Check(dialog != nullptr, "a click on the tool bar's Save As opens the save dialog")) return;
    const std::wstring file = bed.work + L"\\tool-bar-save.txt";
    SaveThroughDialog(session, dialog, file);
    WaitGone(dialog);
    WaitUntil([&] { return Exists(file); });
    Settle();
    const auto saved = ReadBytes(file);
    const auto expected = bed.Tool().Report(second, bed.work + L"\\tool-bar-expected.txt");
    bed.Check(saved && expected && *saved == *expected,
              "the tool bar's Save As saves the report of the active (second) window",
              saved ? std::to_string(saved->size()) + " bytes" : "no file");
}

// Ctrl+A on the printer list is the list's: the report's selection stays as it was.
void CheckFocusShortcuts(Bed& bed, const OstrelSession& session, HWND report) {
    HWND richEdit = session.RichEditOf(report);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(richEdit, EM_SETSEL, 3, 7, SMTO_NORMAL, 10000, &ignored);
    session.Focus(session.Printers());
    PressKeys("ctrl+a");
    const CHARRANGE after = RichEditSelection(session.Process(), richEdit);
    bed.Check(after.cpMin == 3 && after.cpMax == 7, "Ctrl+A with the printer list focused leaves the report's selection",
              std::to_string(after.cpMin) + "-" + std::to_string(after.cpMax));
    session.Focus(richEdit);
    PressKeys("ctrl+a");
    const CHARRANGE all = RichEditSelection(session.Process(), richEdit);
    bed.Check(all.cpMin == 0 && all.cpMax > 7, "Ctrl+A in the report still selects the whole report");
}

// F3 and Shift+F3 typed in the find dialog search on in its report.
void CheckFindKeysInDialog(Bed& bed, const OstrelSession& session, HWND report) {
    HWND richEdit = session.RichEditOf(report);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(richEdit, EM_SETSEL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    session.Focus(richEdit);
    PressKeys("ctrl+f");
    HWND dialog = WaitForDialog(session, FileNameEdit);
    if (!bed.Check(dialog != nullptr, "Ctrl+F shows the find dialog")) return;
    SetControlText(dialog, FileNameEdit, L"DMPAPER");
    Press(dialog, IDOK);
    WaitUntil([&] { return RichEditSelection(session.Process(), richEdit).cpMax > 0; }, 5000);
    const CHARRANGE first = RichEditSelection(session.Process(), richEdit);
    session.Focus(GetDlgItem(dialog, FileNameEdit));
    PressKeys("F3");
    const CHARRANGE next = RichEditSelection(session.Process(), richEdit);
    bed.Check(first.cpMax > 0 && next.cpMin > first.cpMin, "F3 in the find dialog moves to the next hit",
              std::to_string(first.cpMin) + " then " + std::to_string(next.cpMin));
    session.Focus(GetDlgItem(dialog, FileNameEdit));
    PressKeys("shift+F3");
    bed.Check(RichEditSelection(session.Process(), richEdit).cpMin == first.cpMin,
              "Shift+F3 in the find dialog moves back to the hit before");
    Press(dialog, IDCANCEL);
    WaitGone(dialog);
}

// The program's open popup menu (a top-level window of class #32768), once it has settled; null
// when none opens.
HWND WaitForOpenMenu(const OstrelSession& session) {
    HWND popup = nullptr;
    WaitUntil(
        [&] {
            const auto menus = TopLevelWindowsOf(session.ProcessId(), L"#32768");
            popup = menus.empty() ? nullptr : menus.front();
            return popup != nullptr;
        },
        5000);
    if (popup) Settle(500);
    return popup;
}

// The pixels of the program's open popup menu.
Pixels OpenMenuPixels(const OstrelSession& session) {
    const HWND popup = WaitForOpenMenu(session);
    if (!popup) return {};
    RECT r{};
    GetWindowRect(popup, &r);
    return CaptureScreen(r);
}

// Each text line of the menu ends with its shortcut, clear of the caption.
void CheckShortcutsApart(Bed& bed, const Pixels& pixels, const std::string& menu, std::size_t lines) {
    if (!bed.Check(pixels.width > 0, "the " + menu + " shows")) return;
    const auto found = InkLines(pixels, 4, 6, 6);
    bed.Check(found.size() == lines, "the " + menu + " shows " + std::to_string(lines) + " lines of text",
              std::to_string(found.size()) + " lines");
    for (const InkLine& line : found) {
        const auto& c = line.clusters;
        std::printf("MEASURED [%s] %s line %s\n", bed.build.c_str(), menu.c_str(), Describe(line).c_str());
        bed.Check(c.size() >= 2 && c.back().first - c[c.size() - 2].second >= 6,
                  "in the " + menu + ", the caption and its shortcut stand apart", Describe(line));
    }
}

void CheckMenus(Bed& bed, const OstrelSession& session, HWND report) {
    HWND richEdit = session.RichEditOf(report);
    session.Focus(richEdit);
    PressKeys("ctrl+a");  // Copy enabled, so that no item is greyed
    RECT r{};
    GetWindowRect(richEdit, &r);
    ClickAt(r.left + 40, r.top + 40, 3);
    CheckShortcutsApart(bed, OpenMenuPixels(session), "context menu", 2);
    PressKeys("Escape");

    // The window menu lists the long name whole: its last letters stand inside the menu.
    session.Focus(richEdit);
    PressKeys("alt+w");
    const Pixels pixels = OpenMenuPixels(session);
    PressKeys("Escape Escape");
    if (!bed.Check(pixels.width > 0, "Alt+W opens the window menu")) return;
    int widest = 0;
    for (const InkLine& line : InkLines(pixels, 4, 6, 6)) {
        if (!line.clusters.empty()) widest = std::max(widest, line.clusters.back().second);
    }
    std::printf("MEASURED [%s] window menu: ink up to column %d of %d\n", bed.build.c_str(), widest, pixels.width);
    // A cut entry runs up to where the item is clipped, about 11 pixels from the menu's edge.
    bed.Check(widest > 0 && widest < pixels.width - 16, "the window menu's longest entry ends inside the menu",
              "ink up to " + std::to_string(widest) + " of " + std::to_string(pixels.width));
}

// The printer list's field and the Window menu's last entry show the underscores of a name.
void CheckUnderscores(Bed& bed, const OstrelSession& session, HWND report) {
    session.ChooseByMessage(IndexOf(session.Entries(), Underscored));
    Settle();
    session.Focus(session.RichEditOf(ReportWindowCaptioned(session, Underscored)));  // the field unhighlighted
    Settle(500);
    RECT combo{};
    GetWindowRect(session.Printers(), &combo);
    const RECT field{combo.left + 3, combo.top + 3, combo.right - GetSystemMetrics(SM_CXVSCROLL) - 3, combo.bottom - 3};
    CheckUnderscoreInk(bed, "the printer list", field, field.left + 16, FormFont(), Underscored, 2);

    session.ChooseByMessage(IndexOf(session.Entries(), L"Office-PS"));
    session.Focus(session.RichEditOf(report));
    PressKeys("alt+w");
    const HWND popup = WaitForOpenMenu(session);
    RECT menu{};
    if (popup) GetWindowRect(popup, &menu);
    const auto lines = popup ? InkLines(CaptureScreen(menu), 4, 6, 6) : std::vector<InkLine>{};
    if (bed.Check(!lines.empty(), "Alt+W opens the window menu again")) {
        // The entry reads "N name"; the digits are as wide as each other.
        const std::wstring entry = std::to_wstring(session.ReportWindows().size()) + L" " + Underscored;
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        const RECT last{menu.left + 4, menu.top + lines.back().top - 1, menu.right - 4, menu.top + lines.back().bottom + 3};
        CheckUnderscoreInk(bed, "the window menu", last, last.left, metrics.lfMenuFont, entry, entry.find(L'_'));
    }
    PressKeys("Escape Escape");
}

void CheckAbout(Bed& bed, const OstrelSession& session) {
    const std::wstring versionFile = bed.work + L"\\version.txt";
    RunProgram(Quoted(bed.reportToolExe) + L" --version", versionFile);
    std::wstring version = FromAnsi(ReadBytes(versionFile).value_or(""));
    version = version.substr(version.find(L' ') + 1);
    version.erase(version.find_last_not_of(L"\r\n") + 1);
    session.Focus();
    PressKeys("alt+h");
    PressKeys("a");
    HWND box = WaitForMessageBox(session);
    if (!bed.Check(box != nullptr, "Help, About (Alt+H, A) opens the About box")) return;
    const std::wstring text = TextOf(GetDlgItem(box, MessageText));
    bed.Check(!version.empty() && text.find(L"Ostrel") != std::wstring::npos &&
                  text.find(version) != std::wstring::npos,
              "the About box names the program and the report tool's version", Utf8(text) + " / " + Utf8(version));
    // The box wraps no line of its own: each line of the text is one line on the screen, no word
    // split over two.
    std::size_t textLines = 0;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(L'\n', start), text.size());
        textLines += end > start ? 1 : 0;
        start = end + 1;
    }
    RECT shown{};
    GetWindowRect(GetDlgItem(box, MessageText), &shown);
    Settle(500);
    const auto lines = InkLines(CaptureScreen(shown), 0, 6, 4);
    bed.Check(lines.size() == textLines, "the About box shows each line of its text on one line",
              std::to_string(lines.size()) + " lines on the screen for " + std::to_string(textLines));
    session.Focus(box);
    PressKeys("Escape");
    bed.Check(WaitGone(box, 5000), "Escape closes the About box");
}

// A refresh that removes the selected printer selects nothing; the other windows stay as they were.
void CheckRefreshRemovingSelected(Bed& bed, const OstrelSession& session, const std::wstring& kept) {
    Open(session, kept);
    HWND vanishing = Open(session, Vanishing);
    if (!bed.Check(vanishing && session.ActiveReport() == vanishing && session.ReportWindows().size() >= 2,
                   "a window for the printer that will vanish is active, others behind it"))
        return;
    auto others = session.ReportWindows();
    others.erase(std::find(others.begin(), others.end(), vanishing));
    std::sort(others.begin(), others.end());
    RemoveQueue(Vanishing);
    session.Focus(session.RichEditOf(vanishing));
    PressKeys("F5");
    const bool closed = WaitUntil([&] { return !IsWindow(vanishing); }, 30000);
    Settle(1000);
    auto windows = session.ReportWindows();
    std::sort(windows.begin(), windows.end());
    bed.Check(closed && session.Selection() == -1 && windows == others,
              "F5 after the selected printer vanished leaves nothing selected and the other windows open",
              "selection " + std::to_string(session.Selection()) + ", " + std::to_string(windows.size()) + " of " +
                  std::to_string(others.size()) + " windows");
}

}  // namespace

void RunWindowChecks(Bed& bed) {
    struct Queues {
        Queues() {
            AddQueue(Vanishing);
            AddQueue(LongName);
            AddQueue(Underscored);
        }
        ~Queues() {
            for (const auto& queue : {Vanishing, LongName, Underscored}) RemoveQueue(queue);
        }
    } queues;
    OstrelSession session(bed.ostrelExe);
    if (!bed.Check(session.Started(), "Ostrel.exe starts for the window checks")) return;
    const auto entries = session.Entries();
    const std::wstring office = L"Office-PS";
    const std::wstring pdf = L"CUPS-PDF";
    if (!bed.Check(IndexOf(entries, office) >= 0 && IndexOf(entries, pdf) >= 0 && IndexOf(entries, Vanishing) >= 0 &&
                       IndexOf(entries, LongName) >= 0 && IndexOf(entries, Underscored) >= 0,
                   "the test bed lists the printers of the window checks"))
        return;
    bed.Check(AllReportButtons(session, false), "with no report window, the tool bar's report buttons are disabled");
    CheckAbout(bed, session);
    CheckToolBar(bed, session, office, pdf);
    HWND report = ReportWindowCaptioned(session, office);
    if (report) {
        session.ChooseByMessage(IndexOf(entries, office));
        CheckFocusShortcuts(bed, session, report);
        CheckFindKeysInDialog(bed, session, report);
        Open(session, LongName);
        Open(session, Underscored);
        session.ChooseByMessage(IndexOf(entries, office));
        Settle();
        CheckMenus(bed, session, report);
        CheckUnderscores(bed, session, report);
    }
    CheckRefreshRemovingSelected(bed, session, office);

    for (std::size_t open = session.ReportWindows().size(); open > 0; --open) {
        session.Command(Id(CommandId::Close));
        WaitForWindows(session, open - 1);
    }
    bed.Check(WaitUntil([&] { return AllReportButtons(session, false); }, 5000),
              "after the last report window closes, the tool bar's report buttons are disabled");
}

}  // namespace ostrel::uitest
