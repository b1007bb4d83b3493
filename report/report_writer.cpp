#include "report/report_writer.h"

#include "platform/text_and_time.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace ostrel {

const char NotSupportedText[] = "*** NOT SUPPORTED ***";
const char ExceptionOccurredText[] = "*** EXCEPTION OCCURRED ***";

namespace {

constexpr char TitleFont[] = "Times New Roman";
constexpr char NotSupportedFont[] = "Arial";
constexpr char ExceptionFont[] = "Times New Roman";

// Report values are short: one pass into a line-sized buffer, a second only for a longer text.
std::string VFormat(const char* format, va_list args)
{
    char line[256];
    va_list retry;
    va_copy(retry, args);
    const int length = std::vsnprintf(line, sizeof line, format, args);
    if (length <= 0) {
        va_end(retry);
        return {};
    }
    if (static_cast<std::size_t>(length) < sizeof line) {
        va_end(retry);
        return std::string(line, static_cast<std::size_t>(length));
    }
    std::vector<char> text(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, retry);
    va_end(retry);
    return std::string(text.data(), static_cast<std::size_t>(length));
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args);
    va_end(args);
    return text;
}

bool IsBlankOrControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte <= ' ' || byte == 0x7F;
}

// " unit" without trailing blanks and control characters, so that a blank unit gives the bare number.
std::string UnitPart(const std::string& unit)
{
    std::string part = " " + unit;
    while (!part.empty() && IsBlankOrControl(part.back()))
        part.pop_back();
    return part;
}

ReportValue MarkerValue(const char* text, Marker marker)
{
    ReportValue value;
    value.text = text;
    value.marker = marker;
    return value;
}

ReportValue TextValue(std::string text)
{
    ReportValue value;
    if (text == NotSupportedText)
        value.marker = Marker::NotSupported;
    value.text = std::move(text);
    return value;
}

ReportValue NumberValue(std::string text, const ItemMeaning& meaning)
{
    ReportValue value;
    value.text = std::move(text);
    // One spelling per number: a signed raw value that is not negative is kept as unsigned.
    const auto* number = std::get_if<std::int64_t>(&meaning.raw);
    if (number != nullptr && *number >= 0)
        value.raw = static_cast<std::uint64_t>(*number);
    else
        value.raw = meaning.raw;
    if (meaning.unit != nullptr) {
        const std::string part = UnitPart(*meaning.unit);
        if (!part.empty())
            value.unit = part.substr(1);
    }
    if (meaning.numbered) {
        value.names.emplace();
        if (meaning.name != nullptr)
            value.names->push_back(meaning.name);
    }
    return value;
}

}  // namespace

void ReportWriter::AddLine(const std::string& text)
{
    document_.AppendLine(text);
    // Blank lines are layout, not data.
    if (items_ != nullptr && !text.empty())
        items_->Line(TextValue(text));
}

void ReportWriter::AddBlankLine()
{
    AddLine({});
}

void ReportWriter::AddNotSupported()
{
    AddLine(NotSupportedText);
}

// Titles and exception markers draw on the document's reserve: a report on a full document still
// gets every title, and a marker where its lines could not be added.
void ReportWriter::AddExceptionOccurred()
{
    document_.AppendReservedLine(ExceptionOccurredText);
    if (items_ != nullptr)
        items_->Line(MarkerValue(ExceptionOccurredText, Marker::Exception));
}

void ReportWriter::AddSectionTitle(const std::string& title)
{
    if (document_.LineCount() > 0)
        document_.AppendReservedLine({});
    AppendStyledLine(Reserved, "- " + title + " -", TitleFont, 18, StyleBold | StyleUnderline, ColorBlack);
    document_.AppendReservedLine({});
    if (items_ != nullptr)
        items_->Section(title);
}

void ReportWriter::AddStyledLine(const std::string& text, const std::string& fontName, int sizePoints,
                                 std::uint32_t styles, std::uint32_t color)
{
    AppendStyledLine(Ordinary, text, fontName, sizePoints, styles, color);
}

void ReportWriter::AppendStyledLine(LineKind kind, const std::string& text, const std::string& fontName,
                                    int sizePoints, std::uint32_t styles, std::uint32_t color)
{
    const int start = document_.SelectionStart();
    if (kind == Reserved)
        document_.AppendReservedLine(text);
    else
        AddLine(text);
    document_.SetSelection(start, static_cast<int>(text.size()));
    document_.SetSelectionFontName(fontName);
    document_.SetSelectionSize(sizePoints);
    document_.SetSelectionStyles(styles);
    document_.SetSelectionColor(color);
    CaretToEnd();
}

void ReportWriter::MarkNotSupported()
{
    MarkAll(NotSupportedText, NotSupportedFont, StyleBold);
}

void ReportWriter::MarkExceptions()
{
    MarkAll(ExceptionOccurredText, ExceptionFont, StyleBold | StyleItalic);
}

void ReportWriter::MarkAll(const std::string& marker, const std::string& fontName, std::uint32_t styles)
{
    const int length = static_cast<int>(marker.size());
    for (int at = document_.Find(marker, 0, document_.TextLength()); at >= 0;
         at = document_.Find(marker, at + length, document_.TextLength())) {
        document_.SetSelection(at, length);
        document_.SetSelectionFontName(fontName);
        document_.SetSelectionStyles(styles);
        document_.SetSelectionColor(ColorRed);
    }
    CaretToEnd();
}

void ReportWriter::CaretToEnd()
{
    document_.SetSelection(document_.TextLength(), 0);
    document_.ResetSelectionAttributes();
}

// The label as "%-24.24s" gives it (up to its first NUL, cut or filled to 24 columns), then " : ".
void ReportWriter::AddItem(const std::string& label, const std::string& value)
{
    AppendItem(label, value, {});
}

void ReportWriter::BeginList(const std::string& label)
{
    if (items_ != nullptr)
        items_->BeginList(label.c_str());
}

// The value is data for the structured report only when a sink listens: the text alone costs nothing more.
void ReportWriter::AppendItem(const std::string& label, const std::string& value, const ItemMeaning& meaning)
{
    constexpr std::size_t LabelColumns = 24;
    const std::size_t labelLength = std::min(std::char_traits<char>::length(label.c_str()), LabelColumns);
    std::string line;
    line.reserve(LabelColumns + 3 + value.size());
    line.append(label, 0, labelLength);
    line.append(LabelColumns - labelLength, ' ');
    line += " : ";
    line += value;
    document_.AppendLine(line);
    if (items_ != nullptr) {
        const bool number = meaning.numbered || !std::holds_alternative<std::monostate>(meaning.raw);
        items_->Item(label.c_str(), number ? NumberValue(value, meaning) : TextValue(value));
    }
}

void ReportWriter::AddItemString(const std::string& label, const char* text, bool multi)
{
    if (text != nullptr && multi)
        BeginList(label);
    AddItem(label, text != nullptr ? text : "");
    if (text == nullptr || !multi)
        return;
    for (const char* item = text; *item != '\0';) {
        item += std::char_traits<char>::length(item) + 1;
        if (*item == '\0')
            break;
        AddItem({}, item);
    }
}

void ReportWriter::AddItemWord(const std::string& label, WORD value, const std::string& unit)
{
    AppendItem(label, unit.empty() ? Format("0x%04X", unsigned{value}) : Format("%u", unsigned{value}) + UnitPart(unit),
               {std::uint64_t{value}, &unit});
}

void ReportWriter::AddItemShort(const std::string& label, short value, const std::string& unit)
{
    AppendItem(label, Format("%d", int{value}) + (unit.empty() ? std::string() : UnitPart(unit)),
               {std::int64_t{value}, &unit});
}

void ReportWriter::AddItemLong(const std::string& label, DWORD value, const std::string& unit,
                               bool notSupportedIfMinusOne)
{
    if (notSupportedIfMinusOne && value == 0xFFFFFFFFu)
        AddItem(label, NotSupportedText);
    else if (unit.empty())
        AppendItem(label, Format("0x%08X", static_cast<unsigned>(value)), {std::uint64_t{value}, &unit});
    else
        AppendItem(label, Format("%u", static_cast<unsigned>(value)) + UnitPart(unit), {std::uint64_t{value}, &unit});
}

void ReportWriter::AddItemLongLong(const std::string& label, std::uint64_t value, const std::string& unit)
{
    const auto wide = static_cast<unsigned long long>(value);
    AppendItem(label, unit.empty() ? Format("0x%016llX", wide) : Format("%llu", wide) + UnitPart(unit),
               {std::uint64_t{value}, &unit});
}

void ReportWriter::AddItemFileTime(const std::string& label, FILETIME time)
{
    SYSTEMTIME fields{};
    const std::uint64_t raw = (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
    if (FileTimeToSystemTime(time, fields)) {
        AppendItem(label,
                   Format("%04d/%02d/%02d %02d:%02d:%02d.%d", fields.wYear, fields.wMonth, fields.wDay, fields.wHour,
                          fields.wMinute, fields.wSecond, fields.wMilliseconds),
                   {raw});
    } else {
        // Beyond the calendar the system converts: show the raw 64-bit value rather than nothing.
        AppendItem(label,
                   Format("0x%08X%08X (no calendar date)", static_cast<unsigned>(time.dwHighDateTime),
                          static_cast<unsigned>(time.dwLowDateTime)),
                   {raw});
    }
}

void ReportWriter::AddItemFormat(std::string& label, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string value = VFormat(format, args);
    va_end(args);
    AddItem(label, value);
    label.clear();
}

void ReportWriter::AddItemNumbered(std::string& label, std::uint32_t number, const char* name, const char* format,
                                   ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = VFormat(format, args);
    va_end(args);
    AppendItem(label, text, {std::uint64_t{number}, nullptr, true, name});
    label.clear();
}

void ReportWriter::AddItemHexDump(const std::string& label, const BYTE* bytes, WORD count, WORD baseOffset)
{
    BeginList(label);
    std::string lineLabel = label;
    std::string address;
    std::string hex;
    std::string chars;
    const auto emit = [&] {
        hex.resize(48, ' ');
        AddItem(lineLabel, address + hex + chars);
        lineLabel.clear();
    };
    for (unsigned p = 0; p < count; ++p) {
        if (p % 16 == 0) {
            if (p > 0)
                emit();
            hex.clear();
            chars = " : ";
            address = Format("%04X", p);
            if (baseOffset != 0)
                address += Format(" (%04X)", (baseOffset + p) % 0x10000u);
            address += " :";
        }
        hex += Format(" %02X", unsigned{bytes[p]});
        chars += (bytes[p] >= 0x20 && bytes[p] <= 0x7E) ? static_cast<char>(bytes[p]) : '.';
    }
    if (!hex.empty())
        emit();
}

void ReportWriter::AddItemEnum(const std::string& label, std::int32_t value, const NameEntry* table,
                               bool notSupportedIfMinusOne)
{
    if (notSupportedIfMinusOne && value == -1) {
        AddItem(label, NotSupportedText);
        return;
    }
    std::string copy = label;
    const char* name = LookupName(value, table);
    AddItemNumbered(copy, static_cast<std::uint32_t>(value), name, "0x%08x: %s", static_cast<unsigned>(value),
                    OrNull(name));
}

void ReportWriter::AddItemFlags(const std::string& label, std::int32_t value, const NameEntry* table,
                                bool notSupportedIfMinusOne)
{
    if (notSupportedIfMinusOne && value == -1) {
        AddItem(label, NotSupportedText);
        return;
    }
    BeginList(label);
    std::string lineLabel = label;
    auto remaining = static_cast<std::uint32_t>(value);
    for (int row = TakeNextFlag(remaining, table, -1); row != -1; row = TakeNextFlag(remaining, table, row))
        AddItemNumbered(lineLabel, static_cast<std::uint32_t>(table[row].value), table[row].name, "0x%08x: %s",
                        static_cast<unsigned>(table[row].value), table[row].name);
    if (remaining != 0 || !lineLabel.empty())
        AddItemNumbered(lineLabel, remaining, nullptr, "0x%08x: %s", static_cast<unsigned>(remaining),
                        OrNull(nullptr));
}

}  // namespace ostrel
