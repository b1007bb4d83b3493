// The findings list of a report window, below its report: one row a finding (severity, id, text),
// or one row saying there are none. Choosing a finding, with a click or the arrow keys, selects its
// first report line in the report control; Enter or a double click (the list activating the row) moves on to its next line.
#pragma once

#include "findings/finding.h"
#include "platform/portable/memory_document.h"
#include "platform/win32/ui/list_view.h"
#include "platform/win32/ui/rich_edit.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace ostrel {

class FindingsPane {
public:
    // findings: the report's findings; richEdit shows document. All three must outlive the pane.
    FindingsPane(HWND parent, int controlId, HFONT font, const std::vector<Finding>& findings,
                 ui::RichEdit& richEdit, const MemoryDocument& document);

    HWND Handle() const { return list_.Handle(); }
    // The rows again, from the findings as they are now (after the report was made again).
    void Fill();
    void Move(int left, int top, int width, int height);
    // WM_NOTIFY from the list; false for any other control's.
    bool Notify(const NMHDR& header);

private:
    void Choose(int row, bool again);
    void FitColumns();

    ui::ListView list_;
    const std::vector<Finding>& findings_;
    ui::RichEdit& richEdit_;
    const MemoryDocument& document_;
    bool filling_ = false;
};

}  // namespace ostrel
