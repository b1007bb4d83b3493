#include "findings/check_kit.h"

#include "platform/spooler_buffer.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace ostrel {

namespace {

constexpr const char* SourceNames[DevModeSourceCount] = {"Default", "User default", "Global default",
                                                         "DocumentProperties", "Current"};

}  // namespace

const DevModeField& DevModeFieldAt(std::size_t offset)
{
    for (const DevModeField& field : DevModeFieldTable())
        if (field.offset == offset)
            return field;
    throw std::logic_error("no device-mode field at offset " + std::to_string(offset));
}

std::optional<std::int32_t> NumberOf(const DevModeRecord& record, const DevModeField& field)
{
    const std::span<const BYTE> bytes = record.HeldBytes(field.offset, field.width);
    if (bytes.size() != field.width || !record.Holds(field))
        return std::nullopt;
    if (field.width == sizeof(DWORD))
        return static_cast<std::int32_t>(ReadUnaligned<DWORD>(bytes.data()));
    const auto value = ReadUnaligned<WORD>(bytes.data());
    return field.isSigned ? std::int32_t{static_cast<short>(value)} : std::int32_t{value};
}

bool Claims(const DevModeRecord& record, std::uint32_t bit)
{
    const std::optional<std::int32_t> fields = NumberOf(record, DevModeFieldAt(offsetof(DEVMODEA, dmFields)));
    return fields && (static_cast<std::uint32_t>(*fields) & bit) != 0;
}

std::optional<std::int32_t> ClaimedNumber(const DevModeRecord& record, std::uint32_t bit, const DevModeField& field)
{
    return Claims(record, bit) ? NumberOf(record, field) : std::nullopt;
}

std::string Named(std::int32_t value, const NameEntry* table)
{
    const char* name = table != nullptr ? LookupName(value, table) : nullptr;
    return name != nullptr ? std::string(name) + " (" + std::to_string(value) + ")" : std::to_string(value);
}

std::string ValueText(const DevModeRecord& record, const DevModeField& field)
{
    if (field.form == DevModeForm::Text) {
        const std::span<const BYTE> bytes = record.HeldBytes(field.offset, field.width);
        const auto* text = reinterpret_cast<const char*>(bytes.data());
        return std::string("\"").append(text, strnlen(text, bytes.size())) + "\"";
    }
    const std::optional<std::int32_t> value = NumberOf(record, field);
    if (!value)
        return "(not held)";
    switch (field.form) {
    case DevModeForm::Enum:
    case DevModeForm::Flags:
        return Named(*value, field.table);
    case DevModeForm::PrintQuality:
        return *value < 0 ? Named(*value, field.table) : std::to_string(*value) + " " + field.unit;
    default:
        return *field.unit != '\0' ? std::to_string(*value) + " " + field.unit : std::to_string(*value);
    }
}

std::string SourceText(std::size_t source)
{
    return std::string(SourceNames[source]) + " device mode";
}

Silence SilenceOf(const CapabilityAnswers& answers)
{
    const CapabilityArray* papers = answers.Array(DC_PAPERS);
    return {answers.Value(DC_FIELDS) == 0 && answers.Value(DC_SIZE) == 0,
            papers != nullptr && papers->Count() == 0 &&
                std::none_of(answers.arrays.begin(), answers.arrays.end(),
                             [](const std::optional<CapabilityArray>& list) { return list && list->Count() > 0; })};
}

bool AnswersNothing(const CapabilityAnswers& answers)
{
    const Silence silence = SilenceOf(answers);
    return silence.noDeviceMode || silence.noList;
}

const CapabilityAnswers& AnswersOf(const ReportFacts& facts)
{
    static const CapabilityAnswers None;
    return AnswersNothing(facts.capabilities) ? None : facts.capabilities;
}

std::optional<std::int32_t> Answered(const ReportFacts& facts, WORD capability)
{
    const std::optional<std::int32_t> answer = AnswersOf(facts).Value(capability);
    return answer && *answer != NotSupportedAnswer ? answer : std::nullopt;
}

const CapabilityArray* AnsweredArray(const ReportFacts& facts, WORD capability)
{
    const CapabilityArray* array = AnswersOf(facts).Array(capability);
    return array != nullptr && array->Count() >= 0 ? array : nullptr;
}

std::optional<std::int32_t> ArrayNumber(const CapabilityArray& array, std::int32_t index)
{
    if (index < 0 || index >= array.Count())
        return std::nullopt;
    const BYTE* entry = array.Entry(index);
    if (array.EntrySize() == sizeof(WORD))
        return std::int32_t{ReadUnaligned<WORD>(entry)};
    return static_cast<std::int32_t>(ReadUnaligned<DWORD>(entry));
}

bool ArrayHolds(const CapabilityArray* array, std::int32_t value)
{
    for (std::int32_t i = 0; array != nullptr && i < array->Count(); ++i)
        if (ArrayNumber(*array, i) == value)
            return true;
    return false;
}

Pair PairAt(const CapabilityArray& array, std::int32_t index)
{
    const BYTE* entry = array.Entry(index);
    return {ReadUnaligned<std::int32_t>(entry), ReadUnaligned<std::int32_t>(entry + 4)};
}

std::optional<Pair> ExtentOf(const ReportFacts& facts, WORD capability)
{
    const std::optional<std::int32_t> answer = Answered(facts, capability);
    if (!answer)
        return std::nullopt;
    const auto bits = static_cast<std::uint32_t>(*answer);
    return Pair{static_cast<short>(bits & 0xFFFF), static_cast<short>(bits >> 16)};
}

std::optional<Pair> AskedResolution(const DevModeRecord& record)
{
    const std::optional<std::int32_t> x = ClaimedNumber(record, field_bits::PrintQuality,
                                                         DevModeFieldAt(offsetof(DEVMODEA, dmPrintQuality)));
    if (!x || *x <= 0)
        return std::nullopt;
    const std::optional<std::int32_t> y =
        ClaimedNumber(record, field_bits::YResolution, DevModeFieldAt(offsetof(DEVMODEA, dmYResolution)));
    return Pair{*x, y && *y > 0 ? *y : *x};
}

std::string ResolutionText(Pair resolution)
{
    return std::to_string(resolution.x) + " * " + std::to_string(resolution.y) + " dpi";
}

std::string SizeText(Pair size)
{
    return std::to_string(size.x) + " * " + std::to_string(size.y) + " (0.1mm)";
}

std::string PaperOfIndex(const ReportFacts& facts, std::int32_t index)
{
    const CapabilityAnswers& answers = AnswersOf(facts);
    std::string paper;
    if (const CapabilityArray* names = answers.Array(DC_PAPERNAMES); names && index < names->Count()) {
        const auto* name = reinterpret_cast<const char*>(names->Entry(index));
        paper = std::string("\"").append(name, strnlen(name, names->EntrySize())) + "\" ";
    }
    if (const CapabilityArray* numbers = answers.Array(DC_PAPERS); numbers && index < numbers->Count())
        paper.append("(").append(Named(*ArrayNumber(*numbers, index), PaperNames)).append(") ");
    return paper;
}

std::string ArrayList(const CapabilityArray& array, const NameEntry* table, std::size_t limit)
{
    if (array.Count() <= 0)
        return "none";
    std::string list;
    for (std::int32_t i = 0; i < array.Count(); ++i) {
        if (static_cast<std::size_t>(i) == limit)
            return list + ", ... (" + std::to_string(array.Count()) + " in all)";
        list += i == 0 ? "" : ", ";
        list += Named(*ArrayNumber(array, i), table);
    }
    return list;
}

}  // namespace ostrel
