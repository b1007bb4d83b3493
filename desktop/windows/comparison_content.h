// The differences of two printers' reports in a document window (TFormOstrelCompare). It keeps
// its two sides, so that a refresh compares them again.
#pragma once

#include "desktop/compare_sides.h"
#include "desktop/windows/document_content.h"

#include <string>
#include <utility>

namespace ostrel {

class ComparisonContent final : public DocumentContent {
public:
    static constexpr const wchar_t* WindowClass = L"TFormOstrelCompare";

    // text: the comparison of the sides a and b (CR LF line breaks, in the system code page), as
    // it was made when the sides were chosen.
    ComparisonContent(std::string text, CompareSide a, CompareSide b)
        : text_(std::move(text)), a_(std::move(a)), b_(std::move(b))
    {
    }

    DocumentKind Kind() const override { return DocumentKind::Comparison; }
    const wchar_t* ClassName() const override { return WindowClass; }
    void Attach(DocumentWindow& window) override;
    // Compares the two sides again, the system's printers through the host's printer object.
    void Rebuild() override;

private:
    void Show(const std::string& text);

    DocumentWindow* window_ = nullptr;
    std::string text_;  // until the window shows it
    const CompareSide a_;
    const CompareSide b_;
};

}  // namespace ostrel
