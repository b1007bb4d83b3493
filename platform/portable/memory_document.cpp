#include "platform/portable/memory_document.h"

#include "platform/portable/rtf_writer.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace ostrel {

namespace {

char FoldAsciiCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The control turns CR LF, CR and LF alike into one line break.
std::string NormalizedLine(const std::string& text) {
    std::string line;
    line.reserve(text.size() + 1);
    std::size_t from = 0;
    for (std::size_t cr = text.find('\r'); cr != std::string::npos; cr = text.find('\r', from)) {
        line.append(text, from, cr - from);
        line += '\n';
        from = cr + 1;
        if (from < text.size() && text[from] == '\n') {
            ++from;
        }
    }
    line.append(text, from, std::string::npos);
    line += '\n';
    return line;
}

}  // namespace

MemoryDocument::MemoryDocument(int capacity) : capacity_(std::max(capacity, 0)) {}

const CharFormat& MemoryDocument::DefaultFormat() {
    // "ＭＳ ゴシック" in Shift-JIS; 12 pixels high is 9 points at the screen's 96 pixels an inch.
    static const CharFormat format{"\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e", 9,
                                   StyleNone, ColorBlack};
    return format;
}

void MemoryDocument::AppendLine(const std::string& text) {
    Append(text, static_cast<std::size_t>(capacity_));
}

void MemoryDocument::AppendReservedLine(const std::string& text) {
    Append(text, static_cast<std::size_t>(capacity_) + ReservedCharacters);
}

void MemoryDocument::Append(const std::string& text, std::size_t limit) {
    // Nearly every line has no CR: it goes in as it is, without a normalized copy.
    const bool plain = text.find('\r') == std::string::npos;
    const std::string normalized = plain ? std::string() : NormalizedLine(text);
    const std::size_t lineSize = plain ? text.size() + 1 : normalized.size();
    // Positions are ints: no limit reaches beyond them.
    limit = std::min<std::size_t>(limit, INT_MAX);
    if (text_.size() > limit || lineSize > limit - text_.size()) {
        throw std::runtime_error("RichEdit での行の挿入エラー");
    }

    // The writer puts the caret back at the end with the default attributes after every styled
    // line and marking pass, so whatever it appends is plain: no separate typing attributes needed.
    const int start = static_cast<int>(text_.size());
    runs_.Append(start, DefaultFormat());
    const std::size_t from = text_.size();
    if (plain) {
        text_ += text;
        text_ += '\n';
    } else {
        text_ += normalized;
    }
    lineCount_ += static_cast<int>(std::count(text_.begin() + static_cast<std::ptrdiff_t>(from), text_.end(), '\n'));
    selectionStart_ = static_cast<int>(text_.size());
    selectionLength_ = 0;
}

int MemoryDocument::LineCount() const {
    return lineCount_;
}

std::string MemoryDocument::Text() const {
    return text_;
}

int MemoryDocument::TextLength() const {
    return static_cast<int>(text_.size());
}

void MemoryDocument::SetSelection(int start, int length) {
    const int textLength = TextLength();
    selectionStart_ = std::clamp(start, 0, textLength);
    selectionLength_ = std::clamp(length, 0, textLength - selectionStart_);
}

int MemoryDocument::SelectionStart() const {
    return selectionStart_;
}

int MemoryDocument::SelectionLength() const {
    return selectionLength_;
}

void MemoryDocument::SetSelectionFontName(const std::string& name) {
    ChangeSelectedFormat([&](CharFormat& format) { format.fontName = name; });
}

void MemoryDocument::SetSelectionSize(int points) {
    ChangeSelectedFormat([&](CharFormat& format) { format.sizePoints = points; });
}

void MemoryDocument::SetSelectionStyles(std::uint32_t styles) {
    ChangeSelectedFormat([&](CharFormat& format) { format.styles = styles; });
}

void MemoryDocument::SetSelectionColor(std::uint32_t color) {
    ChangeSelectedFormat([&](CharFormat& format) { format.color = color; });
}

// Like the control: with a selection the selected characters become plain; with none, only
// later text would, and that is plain here anyway.
void MemoryDocument::ResetSelectionAttributes() {
    ChangeSelectedFormat([](CharFormat& format) { format = DefaultFormat(); });
}

int MemoryDocument::Find(const std::string& text, int start, int span) const {
    if (text.empty()) {
        return -1;
    }
    const long long length = TextLength();
    const long long first = std::clamp<long long>(start, 0, length);
    const long long last =
        std::clamp<long long>(static_cast<long long>(start) + std::max(span, 0), first, length);
    const auto sameIgnoringCase = [](char a, char b) { return FoldAsciiCase(a) == FoldAsciiCase(b); };
    const char head = text.front();
    if (head != FoldAsciiCase(head) || (head >= 'a' && head <= 'z')) {
        const auto rangeEnd = text_.begin() + last;
        const auto found = std::search(text_.begin() + first, rangeEnd, text.begin(), text.end(), sameIgnoringCase);
        return found == rangeEnd ? -1 : static_cast<int>(found - text_.begin());
    }
    // A first character without case (the markers' '*'): memchr finds the candidates.
    const auto size = static_cast<long long>(text.size());
    for (long long at = first; at + size <= last; ++at) {
        const void* hit = std::memchr(text_.data() + at, head, static_cast<std::size_t>(last - size + 1 - at));
        if (hit == nullptr)
            return -1;
        at = static_cast<const char*>(hit) - text_.data();
        if (std::equal(text.begin() + 1, text.end(), text_.begin() + at + 1, sameIgnoringCase))
            return static_cast<int>(at);
    }
    return -1;
}

void MemoryDocument::BeginUpdate() {
    ++updateDepth_;
}

void MemoryDocument::EndUpdate() {
    if (updateDepth_ > 0) {
        --updateDepth_;
    }
}

void MemoryDocument::Clear() {
    text_.clear();
    runs_.Clear();
    lineCount_ = 0;
    selectionStart_ = 0;
    selectionLength_ = 0;
}

int MemoryDocument::UpdateDepth() const {
    return updateDepth_;
}

CharFormat MemoryDocument::FormatAt(int position) const {
    if (position < 0 || position >= TextLength()) {
        return DefaultFormat();
    }
    return runs_.At(position);
}

std::string MemoryDocument::PlainText() const {
    std::string out;
    out.reserve(text_.size() + static_cast<std::size_t>(lineCount_));
    std::size_t from = 0;
    for (std::size_t lf = text_.find('\n'); lf != std::string::npos; lf = text_.find('\n', from)) {
        out.append(text_, from, lf - from);
        out += "\r\n";
        from = lf + 1;
    }
    out.append(text_, from, std::string::npos);
    return out;
}

std::string MemoryDocument::Rtf(unsigned codePage) const {
    return RtfOf(text_, runs_, DefaultFormat(), codePage);
}

template <typename Change>
void MemoryDocument::ChangeSelectedFormat(Change change) {
    if (selectionLength_ == 0) {
        return;
    }
    runs_.Restyle(selectionStart_, selectionStart_ + selectionLength_, TextLength(), change);
}

}  // namespace ostrel
