// A printer's report in a document window (TFormOstrelMain): the report of one printer-list
// entry, its findings and the pane that lists them, and the compare command that starts from it.
#pragma once

#include "desktop/windows/document_content.h"
#include "desktop/windows/findings_pane.h"
#include "findings/finding.h"
#include "platform/win32/ui/handles.h"
#include "report/structured_report.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

class ReportContent final : public DocumentContent {
public:
    static constexpr const wchar_t* WindowClass = L"TFormOstrelMain";
    static constexpr int FindingsListId = 0x201;

    // The report of the printer of a printer-list entry; empty until the first Rebuild.
    explicit ReportContent(std::string entry) : entry_(std::move(entry)) {}

    DocumentKind Kind() const override { return DocumentKind::Report; }
    const wchar_t* ClassName() const override { return WindowClass; }
    void Attach(DocumentWindow& window) override;
    // Replaces the report with the one the entry's printer gives now, and its findings with the
    // ones judged from what that report read; sets the caption.
    void Rebuild() override;
    const std::vector<Finding>* Findings() const override { return &findings_; }
    bool FindingsShown() const override { return findingsPane_ != nullptr; }
    int Layout(int width, int height) override;
    bool Notify(const NMHDR& header) override;
    bool Execute(CommandId id) override;

private:
    void ToggleFindings();

    DocumentWindow* window_ = nullptr;
    const std::string entry_;
    StructuredReport items_;
    std::optional<std::string> openFailure_;
    std::vector<Finding> findings_;
    ui::UniqueFont listFont_;
    std::unique_ptr<FindingsPane> findingsPane_;  // while the findings show; reads findings_
};

}  // namespace ostrel
