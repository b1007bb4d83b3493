// The frame, the printer list and the report windows: what a user sees when choosing, activating,
// closing and refreshing, with print queues added and removed while the program runs.
#include "desktop/command_table.h"
#include "tests/ui/bed.h"
#include "tests/ui/ostrel_session.h"
#include "tests/ui/remote_window.h"
#include "tests/ui/report_checks.h"

#include <commctrl.h>

namespace ostrel::uitest {

namespace {

unsigned Id(CommandId command) { return static_cast<unsigned>(command); }

// Queues of this group: two neighbours that vanish together, one that appears meanwhile.
const std::wstring GoneA = L"Ui-Gone-A";
const std::wstring GoneB = L"Ui-Gone-B";
const std::wstring Added = L"Ui-Added";

bool WaitForWindows(const OstrelSession& session, std::size_t count) {
    return WaitUntil([&] { return session.ReportWindows().size() == count; }, 30000);
}

void CheckStart(Bed& bed, const OstrelSession& session, const std::vector<std::wstring>& printers) {
    bed.Check(TextOf(session.Frame()) == L"Ostrel", "the frame's caption is Ostrel",
              Utf8(TextOf(session.Frame())));
    const auto entries = session.Entries();
    bed.Check(entries == printers, "the list holds the spooler's printers in its order",
              std::to_string(entries.size()) + " entries, the tool lists " + std::to_string(printers.size()));
    bed.Check(session.Selection() == -1 && session.ReportWindows().empty(),
              "at start nothing is selected and no report window is open");

    struct Expected {
        CommandId command;
        int enabled;
    };
    const Expected withoutReport[] = {
        {CommandId::Refresh, 1},      {CommandId::Exit, 1},         {CommandId::Close, 0},
        {CommandId::Cascade, 0},      {CommandId::TileHorizontal, 0}, {CommandId::TileVertical, 0},
        {CommandId::MinimizeAll, 0},  {CommandId::Arrange, 0},
    };
    for (const auto& e : withoutReport) {
        const int state = session.CommandState(Id(e.command));
        bed.Check(state == e.enabled,
                  "with no report open, " + Utf8(CommandInfoOf(e.command).caption) +
                      (e.enabled ? " is enabled" : " is disabled"),
                  "state " + std::to_string(state));
    }
    const CommandId reportButtons[] = {CommandId::Find, CommandId::FindNext, CommandId::SaveAs, CommandId::Print,
                                       CommandId::Findings, CommandId::CompareWith};
    for (CommandId command : reportButtons) {
        bed.Check(!ToolButtonEnabled(session.ToolBar(), static_cast<int>(Id(command))),
                  "before any report window, the tool bar's " + Utf8(CommandInfoOf(command).caption) +
                      " is disabled");
    }
    bed.Check(ToolButtonEnabled(session.ToolBar(), static_cast<int>(Id(CommandId::Refresh))),
              "the tool bar's refresh button is enabled");
}

// Choosing entries with the keyboard, choosing one again, activating and closing windows.
void CheckChoosing(Bed& bed, OstrelSession& session, const std::vector<std::wstring>& printers) {
    session.Focus(session.Printers());
    PressKeys("Down");
    if (!bed.Check(WaitForWindows(session, 1), "the Down key on the list opens the first entry's report window"))
        return;
    HWND first = session.ReportWindows().front();
    bed.Check(session.Selection() == 0, "the first entry is selected");
    bed.Check(IsZoomed(first) != FALSE, "the report window opens maximized");
    bed.Check(TextOf(first) == printers[0], "the report window's caption is the entry's text", Utf8(TextOf(first)));
    const auto shown = session.ReportText(first);
    const auto difference = Difference(shown, ExpectedReportText(bed, printers[0]));
    bed.Check(difference.empty(), "the report window shows the report tool's report of the entry", difference);
    // The picture shows the report once the program has painted it.
    WaitForInputIdle(session.Process(), 10000);
    Settle(1500);
    bed.Screenshot(L"report-window.png", session.Frame());

    PressKeys("Down");
    bed.Check(WaitForWindows(session, 2) && session.Selection() == 1,
              "moving on with the arrow key opens the next entry's window too");
    HWND second = ReportWindowCaptioned(session, printers[1]);
    bed.Check(second != nullptr && session.ActiveReport() == second, "the new window is the active one");

    session.ChooseByMessage(0);
    Settle();
    bed.Check(session.ReportWindows().size() == 2 && session.ActiveReport() == first,
              "choosing an entry whose window is open brings that window forward and opens no other");

    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(session.MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(second), 0, SMTO_NORMAL,
                        10000, &ignored);
    bed.Check(WaitUntil([&] { return session.Selection() == 1; }, 5000) && session.ReportWindows().size() == 2,
              "activating a report window selects its entry and opens nothing");

    session.Focus(session.RichEditOf(second));
    PressKeys("ctrl+F6");
    bed.Check(WaitUntil([&] { return session.ActiveReport() == first && session.Selection() == 0; }, 5000) &&
                  session.ReportWindows().size() == 2,
              "the next-window key activates the other report and selects its entry");

    session.Focus(session.RichEditOf(first));
    PressKeys("ctrl+w");
    const bool one = WaitForWindows(session, 1);
    bed.Check(one && !IsWindow(first), "Ctrl+W in a report closes the active report window",
              std::to_string(session.ReportWindows().size()) + " windows, the active one " +
                  (IsWindow(first) ? "still there" : "gone"));
    bed.Check(WaitUntil([&] { return session.ActiveReport() == second && session.Selection() == 1; }, 5000),
              "the window left becomes active and selects its entry");

    session.Focus(session.Printers());
    PressKeys("ctrl+w");
    bed.Check(WaitForWindows(session, 0), "Ctrl+W with the focus on the printer list closes the active window");
    bed.Check(session.Selection() == 1, "closing the last report window leaves its entry selected");
    bed.Check(session.CommandState(Id(CommandId::Close)) == 0, "with the last window closed, Close is disabled again");
}

// Refresh (F5) with queues gone and added since the list was read.
void CheckRefresh(Bed& bed, OstrelSession& session) {
    const ReportTool tool = bed.Tool();
    auto entries = session.Entries();
    const int goneA = IndexOf(entries, GoneA);
    const int goneB = IndexOf(entries, GoneB);
    const int keptIndex = IndexOf(entries, L"Office-PS");
    if (!bed.Check(goneA >= 0 && goneB >= 0 && keptIndex >= 0, "the queues made for the refresh checks are listed"))
        return;
    session.ChooseByMessage(goneA);
    session.ChooseByMessage(goneB);
    session.ChooseByMessage(keptIndex);
    if (!bed.Check(WaitForWindows(session, 3), "three report windows are open before the refresh")) return;
    HWND windowA = ReportWindowCaptioned(session, GoneA);
    HWND windowB = ReportWindowCaptioned(session, GoneB);
    HWND kept = ReportWindowCaptioned(session, L"Office-PS");

    RemoveQueue(GoneA);
    RemoveQueue(GoneB);
    AddQueue(Added);
    const auto printers = tool.List();
    session.Focus(session.RichEditOf(kept));
    PressKeys("F5");
    const bool refreshed = WaitUntil([&] { return session.Entries() == printers; }, 30000);
    bed.Check(refreshed, "F5 in a report window refreshes: the list is the spooler's new list, the new printer "
                         "at its position");
    bed.Check(WaitUntil([&] { return !IsWindow(windowA) && !IsWindow(windowB); }),
              "the windows of both vanished printers are closed");
    WaitForWindows(session, 1);
    bed.Check(IsWindow(kept) && session.ActiveReport() == kept &&
                  session.Selection() == IndexOf(printers, L"Office-PS") && session.ReportWindows().size() == 1,
              "the selected printer stays selected, its window in front, and no window opens for the new one");
    const auto difference = Difference(session.ReportText(kept), ExpectedReportText(bed, L"Office-PS"));
    bed.Check(difference.empty(), "the open report is rebuilt and still equals the tool's", difference);

    session.Focus(session.RichEditOf(kept));
    PressKeys("ctrl+w");
    WaitForWindows(session, 0);
    session.Focus(session.Printers());
    PressKeys("F5");
    bed.Check(WaitForWindows(session, 1) && ReportWindowCaptioned(session, L"Office-PS") != nullptr &&
                  session.Selection() == IndexOf(printers, L"Office-PS"),
              "F5 on the list reopens the window of the selected printer whose window was closed");

    // The vanishing printer's window is the only one: closing it activates no other window, whose
    // activation would select that one's entry.
    session.Focus(session.RichEditOf(ReportWindowCaptioned(session, L"Office-PS")));
    PressKeys("ctrl+w");
    WaitForWindows(session, 0);
    session.ChooseByMessage(IndexOf(printers, Added));
    WaitForWindows(session, 1);
    HWND added = ReportWindowCaptioned(session, Added);
    RemoveQueue(Added);
    const auto after = tool.List();
    session.Command(Id(CommandId::Refresh));
    const bool listed = WaitUntil([&] { return session.Entries() == after; }, 30000);
    const bool closed = WaitUntil([&] { return !IsWindow(added); });
    Settle();
    bed.Check(listed && closed && session.Selection() == -1 && session.ReportWindows().empty(),
              "when the selected printer vanishes, its window closes and nothing is selected or opened",
              "listed " + std::to_string(listed) + ", closed " + std::to_string(closed) + ", selection " +
                  std::to_string(session.Selection()) + ", windows " + std::to_string(session.ReportWindows().size()));
}

}  // namespace

void RunFrameChecks(Bed& bed) {
    // The queues of this group go again however it ends, so later groups see the usual test bed.
    struct Queues {
        Queues() {
            AddQueue(GoneA);
            AddQueue(GoneB);
        }
        ~Queues() {
            for (const auto& queue : {GoneA, GoneB, Added}) RemoveQueue(queue);
        }
    } queues;
    const auto printers = bed.Tool().List();
    OstrelSession session(bed.ostrelExe);
    if (!bed.Check(session.Started(), "Ostrel.exe starts and fills its printer list")) return;
    CheckStart(bed, session, printers);
    if (printers.size() < 2) {
        bed.tally.Fail(bed.Name("the test bed lists at least two printers"));
        return;
    }
    CheckChoosing(bed, session, printers);
    CheckRefresh(bed, session);
    // Last: the drawing checks restore and maximize a window, which the others do not expect.
    session.ChooseByMessage(0);
    if (bed.Check(WaitForWindows(session, 1), "choosing the first entry again opens its window")) {
        WaitForInputIdle(session.Process(), 10000);
        Settle(1500);
        CheckDrawing(bed, session, session.ReportWindows().front());
    }

    session.Command(Id(CommandId::Exit));
    bed.Check(WaitForSingleObject(session.Process(), 10000) == WAIT_OBJECT_0, "Exit ends the program");
}

}  // namespace ostrel::uitest
