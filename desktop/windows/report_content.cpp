#include "desktop/windows/report_content.h"

#include "desktop/findings_view.h"
#include "desktop/windows/compare_command.h"
#include "desktop/windows/document_window.h"
#include "desktop/windows/report_font.h"
#include "findings/findings.h"
#include "platform/win32/wide_text.h"
#include "report/report_builder.h"

namespace ostrel {

void ReportContent::Attach(DocumentWindow& window)
{
    window_ = &window;
    listFont_ = CreateFormFont();
}

void ReportContent::Rebuild()
{
    DocumentHost& host = window_->Host();
    const ui::WaitCursor wait;
    SetWindowTextW(window_->Handle(), Widen(entry_).c_str());
    // The window menu lists the windows by caption; not every system renews it on its own.
    SendMessageW(host.MdiClient(), WM_MDIREFRESHMENU, 0, 0);
    DrawMenuBar(GetParent(host.MdiClient()));
    ReportBuilder builder(host.Printer(), window_->Document(), &items_);
    ReportFacts facts;
    const PrinterNames names = builder.MakeReport(entry_, &facts);
    openFailure_ = names.openFailure;
    findings_ = FindingsOf(facts);
    window_->ShowDocument();
    if (findingsPane_)
        findingsPane_->Fill();
    host.DocumentRebuilt(*window_);
}

// The report fills the window; the findings, while they show, take a strip below it.
int ReportContent::Layout(int width, int height)
{
    if (!findingsPane_)
        return height;
    const int listHeight = FindingsListHeight(height);
    findingsPane_->Move(0, height - listHeight, width, listHeight);
    return height - listHeight;
}

bool ReportContent::Notify(const NMHDR& header)
{
    return findingsPane_ && findingsPane_->Notify(header);
}

bool ReportContent::Execute(CommandId id)
{
    switch (id) {
    case CommandId::Findings:
        ToggleFindings();
        return true;
    case CommandId::CompareWith:
        CompareReportWith(window_->Host(), GetAncestor(window_->Handle(), GA_ROOT), entry_, items_, openFailure_,
                          window_->Host().PrinterEntries());
        return true;
    default:
        return false;
    }
}

void ReportContent::ToggleFindings()
{
    const HWND control = window_->Control().Handle();
    const bool listHadFocus = findingsPane_ && GetFocus() == findingsPane_->Handle();
    if (findingsPane_)
        findingsPane_.reset();
    else
        findingsPane_ = std::make_unique<FindingsPane>(window_->Handle(), FindingsListId, listFont_.get(), findings_,
                                                       window_->Control(), window_->Document());
    window_->Layout();
    if (findingsPane_)
        SetFocus(findingsPane_->Handle());
    else if (listHadFocus)
        SetFocus(control);
}

}  // namespace ostrel
