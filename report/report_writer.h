// Appends the report's lines to a rich-text document: plain lines, section titles, labelled item
// lines in their value forms, decoded constants, byte dumps, and the two marker-colouring passes.
#pragma once

#include "names/name_tables.h"
#include "platform/rich_document.h"
#include "platform/win_records.h"
#include "report/structured_report.h"

#include <cstdint>
#include <string>
#include <variant>

namespace ostrel {

extern const char NotSupportedText[];       // "*** NOT SUPPORTED ***"
extern const char ExceptionOccurredText[];  // "*** EXCEPTION OCCURRED ***"

// What an item's text stands for, told to the structured report: a raw number, its unit, and
// whether the names of the number are known (numbered, name null when it has none).
struct ItemMeaning {
    std::variant<std::monostate, std::int64_t, std::uint64_t> raw;
    const std::string* unit = nullptr;
    bool numbered = false;
    const char* name = nullptr;
};

class ReportWriter {
public:
    // With items, every line also reaches them as data: the same calls make both reports.
    explicit ReportWriter(RichDocument& document, StructuredReportSink* items = nullptr)
        : document_(document), items_(items)
    {
    }

    RichDocument& Document() { return document_; }

    void AddLine(const std::string& text);
    void AddBlankLine();
    void AddNotSupported();
    void AddExceptionOccurred();
    void AddSectionTitle(const std::string& title);
    void AddStyledLine(const std::string& text, const std::string& fontName, int sizePoints, std::uint32_t styles,
                       std::uint32_t color);
    void MarkNotSupported();
    void MarkExceptions();

    void AddItem(const std::string& label, const std::string& value);
    // The items that follow under label are the entries of a list (for the structured report only).
    void BeginList(const std::string& label);
    // With multi, text is the first of a list of texts ended by an empty one; each further text
    // gets a line with an empty label. A null text gives an empty value.
    void AddItemString(const std::string& label, const char* text, bool multi);
    void AddItemWord(const std::string& label, WORD value, const std::string& unit);
    void AddItemShort(const std::string& label, short value, const std::string& unit);
    void AddItemLong(const std::string& label, DWORD value, const std::string& unit, bool notSupportedIfMinusOne);
    void AddItemLongLong(const std::string& label, std::uint64_t value, const std::string& unit);
    void AddItemFileTime(const std::string& label, FILETIME time);
    // Empties label afterwards, so that a run of calls with one label variable labels its first line only.
    void AddItemFormat(std::string& label, const char* format, ...) __attribute__((format(printf, 3, 4)));
    // As AddItemFormat, for a value that stands for a number with a decoded name (null: none).
    void AddItemNumbered(std::string& label, std::uint32_t number, const char* name, const char* format, ...)
        __attribute__((format(printf, 5, 6)));
    void AddItemHexDump(const std::string& label, const BYTE* bytes, WORD count, WORD baseOffset);

    void AddItemEnum(const std::string& label, std::int32_t value, const NameEntry* table,
                     bool notSupportedIfMinusOne);
    void AddItemFlags(const std::string& label, std::int32_t value, const NameEntry* table,
                      bool notSupportedIfMinusOne);

private:
    enum LineKind { Ordinary, Reserved };

    void AppendStyledLine(LineKind kind, const std::string& text, const std::string& fontName, int sizePoints,
                          std::uint32_t styles, std::uint32_t color);
    void MarkAll(const std::string& marker, const std::string& fontName, std::uint32_t styles);
    void CaretToEnd();
    void AppendItem(const std::string& label, const std::string& value, const ItemMeaning& meaning);

    RichDocument& document_;
    StructuredReportSink* items_;
};

// printf's "%s" of a text that may be absent.
inline const char* OrNull(const char* text) { return text != nullptr ? text : "(null)"; }

}  // namespace ostrel
