#include "desktop/windows/comparison_content.h"

#include "desktop/windows/document_window.h"

namespace ostrel {

void ComparisonContent::Attach(DocumentWindow& window)
{
    window_ = &window;
    Show(text_);
    text_.clear();
}

void ComparisonContent::Rebuild()
{
    const ui::WaitCursor wait;
    Show(ComparisonTextOfSides(a_, b_, window_->Host().Printer()));
}

void ComparisonContent::Show(const std::string& text)
{
    MemoryDocument& document = window_->Document();
    document.Clear();
    document.BeginUpdate();
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        document.AppendLine(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? text.size() : end + 2;
    }
    document.SetSelection(0, 0);
    document.EndUpdate();
    window_->ShowDocument();
}

}  // namespace ostrel
