// The findings view of a report window: the command shows the findings the report tool finds for
// the same printer, choosing one selects its report line, Enter moves on to its next line, the
// frame's status bar counts them by severity, F5 keeps it all in step, and the report's text stays
// what it was.
#include "desktop/command_table.h"
#include "tests/ui/bed.h"
#include "tests/ui/ostrel_session.h"
#include "tests/ui/remote_window.h"
#include "tests/ui/report_checks.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace ostrel::uitest {

namespace {

unsigned Id(CommandId command) { return static_cast<unsigned>(command); }

// A queue whose default device mode asks for 300 dpi where its driver offers 600 and 1200 only.
const std::wstring Office = L"Office-PS";
// Another, with findings of its own and other counts: a label printer whose 203 dpi the driver
// reads as 20 * 3 dpi, monochrome where the default device mode asks for colour.
const std::wstring Label = L"Sample-Label";

struct Row {
    std::wstring severity;
    std::wstring id;
    std::wstring text;
    bool operator==(const Row&) const = default;
};

// The report tool's findings of the entry ("SEVERITY id: text" lines), as the list shows them;
// nothing when the tool failed.
std::optional<std::vector<Row>> ToolFindings(const Bed& bed, const std::wstring& entry) {
    const std::wstring file = bed.work + L"\\findings.txt";
    const auto status = RunProgram(Quoted(bed.reportToolExe) + L" --findings " + Quoted(entry), file);
    const auto bytes = ReadBytes(file);
    if (!status || *status != 0 || !bytes) return std::nullopt;
    const std::pair<std::wstring, std::wstring> severities[] = {
        {L"error", L"エラー"}, {L"warning", L"警告"}, {L"note", L"注記"}};
    std::vector<Row> rows;
    const std::wstring text = FromAnsi(*bytes);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        if (line.empty() || line == L"No findings.") continue;
        const std::size_t space = line.find(L' ');
        const std::size_t colon = line.find(L": ");
        if (space == std::wstring::npos || colon == std::wstring::npos) return std::nullopt;
        Row row{line.substr(0, space), line.substr(space + 1, colon - space - 1), line.substr(colon + 2)};
        for (const auto& [name, caption] : severities) {
            if (row.severity == name) row.severity = caption;
        }
        rows.push_back(row);
    }
    return rows;
}

std::wstring CountsText(const std::vector<Row>& rows) {
    std::wstring text;
    for (const wchar_t* severity : {L"エラー", L"警告", L"注記"}) {
        int count = 0;
        for (const Row& row : rows) count += row.severity == severity ? 1 : 0;
        text += (text.empty() ? L"" : L" / ") + std::wstring(severity) + L" " + std::to_wstring(count);
    }
    return text;
}

std::vector<Row> ShownRows(const OstrelSession& session, HWND list) {
    std::vector<Row> rows;
    for (int row = 0; row < ListViewRowCount(list); ++row) {
        rows.push_back({ListViewCell(session.Process(), list, row, 0), ListViewCell(session.Process(), list, row, 1),
                        ListViewCell(session.Process(), list, row, 2)});
    }
    return rows;
}

std::string Describe(const std::vector<Row>& rows) {
    std::wstring text;
    for (const Row& row : rows) text += L"[" + row.severity + L" " + row.id + L": " + row.text + L"] ";
    return Utf8(text);
}

HWND FindingsList(HWND report) { return FindDescendant(report, WC_LISTVIEWW); }

HWND Open(const OstrelSession& session, const std::wstring& entry) {
    session.ChooseByMessage(IndexOf(session.Entries(), entry));
    HWND window = nullptr;
    WaitUntil([&] { return (window = ReportWindowCaptioned(session, entry)) != nullptr; }, 30000);
    return window;
}

// The report line the selection covers, whole, and the title of the section it stands in; empty
// when the selection is not exactly one line.
struct SelectedLine {
    std::wstring line;
    std::wstring section;
};

SelectedLine LineOfSelection(const OstrelSession& session, HWND report) {
    HWND richEdit = session.RichEditOf(report);
    const std::wstring text = session.ReportText(report, false);  // one CR a line break, as positions count
    const CHARRANGE selection = RichEditSelection(session.Process(), richEdit);
    const auto start = static_cast<std::size_t>(selection.cpMin);
    const auto end = static_cast<std::size_t>(selection.cpMax);
    if (selection.cpMin < 0 || start >= end || end > text.size()) return {};
    if ((start > 0 && text[start - 1] != L'\r') || (end < text.size() && text[end] != L'\r')) return {};
    const std::wstring line = text.substr(start, end - start);
    if (line.find(L'\r') != std::wstring::npos) return {};
    SelectedLine found{line, {}};
    // Up from the selected line, one line at a time, to the title of its section.
    for (std::size_t end = start; end > 0;) {
        const std::size_t lineBreak = end - 1;
        const std::size_t before = lineBreak == 0 ? std::wstring::npos : text.rfind(L'\r', lineBreak - 1);
        const std::size_t begin = before == std::wstring::npos ? 0 : before + 1;
        const std::wstring above = text.substr(begin, lineBreak - begin);
        if (above.size() >= 4 && above.rfind(L"- ", 0) == 0 && above.compare(above.size() - 2, 2, L" -") == 0) {
            found.section = above.substr(2, above.size() - 4);
            break;
        }
        end = begin;
    }
    return found;
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix) { return text.rfind(prefix, 0) == 0; }

bool ButtonChecked(const OstrelSession& session) {
    DWORD_PTR checked = 0;
    SendMessageTimeoutW(session.ToolBar(), TB_ISBUTTONCHECKED, Id(CommandId::Findings), 0, SMTO_NORMAL, 10000,
                        &checked);
    return checked != 0;
}

std::wstring StatusText(const OstrelSession& session) {
    return StatusBarText(session.Process(), session.StatusBar(), 0);
}

bool StatusBecomes(const OstrelSession& session, const std::wstring& expected) {
    return WaitUntil([&] { return StatusText(session) == expected; }, 10000);
}

// Choosing the office printer's resolution finding, with a click and then with Enter.
void CheckChoosing(Bed& bed, const OstrelSession& session, HWND report, HWND list, const std::vector<Row>& rows) {
    int chosen = -1;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].id == L"resolution-not-offered") chosen = static_cast<int>(row);
    }
    if (!bed.Check(chosen >= 0, "the office printer has the finding resolution-not-offered", Describe(rows))) return;
    const RECT row = ListViewRowScreenRect(session.Process(), list, chosen);
    session.Focus(list);
    ClickAt((row.left + row.right) / 2, (row.top + row.bottom) / 2);
    WaitUntil([&] { return ListViewSelected(list) == chosen; }, 5000);
    SelectedLine line;
    WaitUntil([&] { return StartsWith((line = LineOfSelection(session, report)).line, L"DC_ENUMRESOLUTIONS"); },
              5000);
    bed.Check(ListViewSelected(list) == chosen && StartsWith(line.line, L"DC_ENUMRESOLUTIONS ") &&
                  line.section == L"Ostrel",
              "a click on the finding selects its report line, whole (DC_ENUMRESOLUTIONS in - Ostrel -)",
              Utf8(line.line) + " in " + Utf8(line.section));
    RECT shown{};
    GetClientRect(session.RichEditOf(report), &shown);
    const auto firstVisible = SendMessageW(session.RichEditOf(report), EM_GETFIRSTVISIBLELINE, 0, 0);
    const auto selectedLine = SendMessageW(session.RichEditOf(report), EM_EXLINEFROMCHAR, 0,
                                           RichEditSelection(session.Process(), session.RichEditOf(report)).cpMin);
    bed.Check(selectedLine >= firstVisible && selectedLine < firstVisible + shown.bottom / 12,
              "the chosen line is scrolled into view",
              "line " + std::to_string(selectedLine) + ", first visible " + std::to_string(firstVisible));

    PressKeys("Return");
    WaitUntil([&] { return StartsWith((line = LineOfSelection(session, report)).line, L"dmPrintQuality"); }, 5000);
    bed.Check(StartsWith(line.line, L"dmPrintQuality ") && !line.section.empty() && line.section != L"Ostrel",
              "Enter on the finding moves on to its next line (dmPrintQuality in a device-mode section)",
              Utf8(line.line) + " in " + Utf8(line.section));
    PressKeys("Return");
    WaitUntil([&] { return StartsWith((line = LineOfSelection(session, report)).line, L"dmYResolution"); }, 5000);
    bed.Check(StartsWith(line.line, L"dmYResolution "), "Enter again moves on to dmYResolution", Utf8(line.line));

    if (rows.size() < 2) return;
    const int other = chosen == 0 ? 1 : chosen - 1;
    PressKeys(other > chosen ? "Down" : "Up");
    bed.Check(WaitUntil([&] { return ListViewSelected(list) == other; }, 5000) &&
                  WaitUntil([&] { return !LineOfSelection(session, report).line.empty() &&
                                         !StartsWith(LineOfSelection(session, report).line, L"dmYResolution"); },
                            5000),
              "an arrow key chooses the neighbouring finding and selects its line",
              Utf8(LineOfSelection(session, report).line));
}

}  // namespace

// At the frame's first size, the columns fill the list: the id column as wide as its ids need, the
// text column taking the rest. And the underscore of a constant's name in a text is drawn.
void CheckColumnsAndUnderscore(Bed& bed, const OstrelSession& session, HWND list, const std::vector<Row>& rows) {
    const auto width = [&](int column) { return static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0)); };
    RECT client{};
    GetClientRect(list, &client);
    std::printf("MEASURED [%s] findings columns %d + %d + %d in a list %ld pixels wide\n", bed.build.c_str(), width(0),
                width(1), width(2), client.right);
    HDC dc = GetDC(nullptr);
    const LOGFONTW form = FormFont();
    HFONT font = CreateFontIndirectW(&form);
    HGDIOBJ old = SelectObject(dc, font);
    const auto textWidth = [&](const std::wstring& text) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    int widestId = 0;
    std::string cut;
    for (const Row& row : rows) {
        widestId = std::max(widestId, textWidth(row.id));
        if (textWidth(row.text) + 12 <= client.right - width(0) - width(1) && textWidth(row.text) + 12 > width(2))
            cut += Utf8(row.text) + "; ";
    }
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    bed.Check(width(0) + width(1) + width(2) == client.right && width(1) >= widestId,
              "at the frame's 640 x 480 the findings columns fill the list, the ids whole",
              std::to_string(width(0)) + " + " + std::to_string(width(1)) + " + " + std::to_string(width(2)) + " of " +
                  std::to_string(client.right) + ", widest id " + std::to_string(widestId));
    bed.Check(cut.empty(), "no finding's text is cut where the list has room for it", cut);

    // A constant's name in a finding's text; from the last row up: the first may carry the list's
    // focus rectangle.
    const int selected = ListViewSelected(list);
    for (int row = static_cast<int>(rows.size()) - 1; row >= 0; --row) {
        const std::wstring& text = rows[static_cast<std::size_t>(row)].text;
        const std::size_t at = text.find(L'_');
        if (row == selected || at == std::wstring::npos) continue;
        const RECT label = ListViewRowScreenRect(session.Process(), list, row);
        POINT origin{0, 0};
        ClientToScreen(list, &origin);
        const int left = origin.x + width(0) + width(1);
        const RECT cell{left, label.top, left + width(2), label.bottom};
        CheckUnderscoreInk(bed, "the findings list", cell, cell.left, FormFont(), text, at);
        return;
    }
    bed.tally.Fail(bed.Name("the findings list shows a text with an underscore, not selected"));
}

void RunFindingsChecks(Bed& bed) {
    OstrelSession session(bed.ostrelExe);
    if (!bed.Check(session.Started(), "Ostrel.exe starts for the findings checks")) return;
    const auto entries = session.Entries();
    const auto expected = ToolFindings(bed, Office);
    const auto labelExpected = ToolFindings(bed, Label);
    if (!bed.Check(IndexOf(entries, Office) >= 0 && IndexOf(entries, Label) >= 0 && expected && !expected->empty() &&
                       labelExpected && !labelExpected->empty() && CountsText(*labelExpected) != CountsText(*expected),
                   "the test bed lists the printers of the findings checks, and the report tool judges them"))
        return;
    bed.Check(StatusText(session).empty(), "with no report window, the status bar counts nothing",
              Utf8(StatusText(session)));

    HWND report = Open(session, Office);
    if (!bed.Check(report != nullptr, "the office printer's report window opens")) return;
    const std::wstring counts = CountsText(*expected);
    bed.Check(StatusBecomes(session, counts), "the status bar counts the report's findings by severity",
              Utf8(StatusText(session)) + " / expected " + Utf8(counts));
    bed.Check(session.CommandState(Id(CommandId::Findings)) == 1 && !ButtonChecked(session) &&
                  FindingsList(report) == nullptr,
              "the findings command is available, its button up, no list shown yet");

    const RECT button =
        ToolButtonScreenRect(session.Process(), session.ToolBar(), static_cast<int>(Id(CommandId::Findings)));
    session.Focus();
    ClickAt((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    HWND list = nullptr;
    WaitUntil([&] { return (list = FindingsList(report)) != nullptr; }, 10000);
    if (!bed.Check(list != nullptr && IsWindowVisible(list), "the tool bar's findings button shows the findings list"))
        return;
    bed.Check(WaitUntil([&] { return ButtonChecked(session); }, 5000), "the findings button stays down while it shows");
    const auto rows = ShownRows(session, list);
    bed.Check(rows == *expected, "the list shows the report tool's findings: severity, id and text",
              Describe(rows) + " / expected " + Describe(*expected));
    RECT listRect{}, reportRect{};
    GetWindowRect(list, &listRect);
    GetWindowRect(session.RichEditOf(report), &reportRect);
    bed.Check(listRect.top >= reportRect.bottom && listRect.bottom > listRect.top, "the list stands below the report");

    CheckColumnsAndUnderscore(bed, session, list, rows);
    CheckChoosing(bed, session, report, list, rows);
    bed.Screenshot(L"findings-view.png", session.Frame());

    bed.Check(session.Refresh(), "F5 with the findings shown");
    list = FindingsList(report);
    bed.Check(list != nullptr && ShownRows(session, list) == *expected && StatusText(session) == counts,
              "after F5 the list and the status bar show the same findings",
              list ? Describe(ShownRows(session, list)) + " / " + Utf8(StatusText(session)) : "no list");
    const std::string difference = Difference(session.ReportText(report), ExpectedReportText(bed, Office));
    bed.Check(difference.empty(), "with the findings shown, the report's text is the report tool's", difference);

    HWND other = Open(session, Label);
    bed.Check(other != nullptr && FindingsList(other) == nullptr && StatusBecomes(session, CountsText(*labelExpected)),
              "another report window starts without the list; the status bar counts its own findings",
              Utf8(StatusText(session)));
    session.Command(Id(CommandId::Findings));
    HWND otherList = nullptr;
    WaitUntil([&] { return (otherList = other ? FindingsList(other) : nullptr) != nullptr; }, 10000);
    const auto otherRows = otherList ? ShownRows(session, otherList) : std::vector<Row>{};
    bed.Check(otherRows == *labelExpected, "the other window's list shows its own findings", Describe(otherRows));
    session.ChooseByMessage(IndexOf(session.Entries(), Office));
    bed.Check(StatusBecomes(session, counts) && FindingsList(report) != nullptr,
              "activating the office printer's window counts its findings again, its list still shown",
              Utf8(StatusText(session)));

    session.Command(Id(CommandId::Findings));
    bed.Check(WaitUntil([&] { return FindingsList(report) == nullptr && !ButtonChecked(session); }, 10000),
              "the findings command again hides the list and lets the button up");
    RECT client{};
    GetClientRect(report, &client);
    GetWindowRect(session.RichEditOf(report), &reportRect);
    bed.Check(reportRect.bottom - reportRect.top == client.bottom, "without the list, the report fills the window again",
              std::to_string(reportRect.bottom - reportRect.top) + " of " + std::to_string(client.bottom) + " pixels");

    for (std::size_t open = session.ReportWindows().size(); open > 0; --open) {
        session.Command(Id(CommandId::Close));
        WaitUntil([&] { return session.ReportWindows().size() == open - 1; }, 30000);
    }
    bed.Check(StatusBecomes(session, L""), "after the last report window closes, the status bar counts nothing",
              Utf8(StatusText(session)));
}

}  // namespace ostrel::uitest
