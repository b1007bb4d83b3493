#include "desktop/windows/findings_pane.h"

#include "desktop/findings_view.h"
#include "desktop/windows/system_code_page.h"
#include "platform/win32/wide_text.h"

#include <algorithm>
#include <optional>
#include <string>

namespace ostrel {

FindingsPane::FindingsPane(HWND parent, int controlId, HFONT font, const std::vector<Finding>& findings,
                           ui::RichEdit& richEdit, const MemoryDocument& document)
    : list_(parent, controlId), findings_(findings), richEdit_(richEdit), document_(document)
{
    list_.SetFont(font);
    for (const FindingsColumn& column : FindingsColumns())
        list_.AddColumn(column.heading, column.width);
    Fill();
}

void FindingsPane::Fill()
{
    filling_ = true;
    SendMessageW(list_.Handle(), WM_SETREDRAW, FALSE, 0);
    list_.Clear();
    if (findings_.empty()) {
        const std::wstring row[] = {L"", L"", NoFindingsText};
        list_.AddRow(row);
    }
    for (const Finding& finding : findings_) {
        // The engine's texts are in the report's code page.
        const std::wstring row[] = {SeverityCaption(finding.severity), Widen(finding.id), Widen(finding.text)};
        list_.AddRow(row);
    }
    FitColumns();
    SendMessageW(list_.Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_.Handle(), nullptr, TRUE);
    filling_ = false;
}

// The id column as wide as its widest id, but no wider than the table says, so that the text
// column, which takes what is left, cuts as few texts as it can.
void FindingsPane::FitColumns()
{
    constexpr int IdColumn = 1;
    const FindingsColumn& id = FindingsColumns()[IdColumn];
    int widest = list_.CellWidth(id.heading);
    for (const Finding& finding : findings_)
        widest = std::max(widest, list_.CellWidth(Widen(finding.id)));
    list_.SetColumnWidth(IdColumn, std::min(widest, id.width));
    list_.FitLastColumn();
}

void FindingsPane::Move(int left, int top, int width, int height)
{
    MoveWindow(list_.Handle(), left, top, width, height, TRUE);
    FitColumns();
}

bool FindingsPane::Notify(const NMHDR& header)
{
    if (header.hwndFrom != list_.Handle())
        return false;
    switch (header.code) {
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (!filling_ && (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
            !(change.uOldState & LVIS_SELECTED))
            Choose(change.iItem, false);
        break;
    }
    case LVN_ITEMACTIVATE:  // Enter or a double click
        Choose(list_.Selected(), true);
        break;
    default:
        break;
    }
    return true;
}

void FindingsPane::Choose(int row, bool again)
{
    if (row < 0 || static_cast<std::size_t>(row) >= findings_.size())
        return;
    const std::string text = document_.Text();
    const ReportTextLines report = SplitReportText(text);
    const CodePageRules& rules = SystemCodePageRules();
    std::optional<std::size_t> selected;
    if (again)
        selected = LineAt(report, BytePositionOf(text, static_cast<std::size_t>(richEdit_.Selection().first), rules));
    const std::optional<std::size_t> line =
        NextReportLine(ReportLinesOf(report.lines, findings_[static_cast<std::size_t>(row)]), selected);
    if (!line)
        return;
    const std::size_t start = report.starts[*line];
    richEdit_.Select(static_cast<int>(CharacterPositionOf(text, start, rules)),
                     static_cast<int>(CharacterPositionOf(text, start + report.lines[*line].size(), rules)));
    richEdit_.ScrollCaretIntoView();
}

}  // namespace ostrel
