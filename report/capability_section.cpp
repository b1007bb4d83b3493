#include "report/capability_section.h"

#include "platform/capability_layouts.h"
#include "platform/data_fault.h"
#include "platform/driver_text.h"
#include "platform/spooler_buffer.h"
#include "platform/text_and_time.h"
#include "report/capability_query.h"

#include <cstring>
#include <string>
#include <utility>

namespace ostrel {

namespace {

constexpr std::size_t MediaTypeNameUnits = 64;
static_assert(MediaTypeNameUnits * sizeof(WORD) == 128, "a media type name fills its 128-byte entry");

struct SectionState {
    ReportContext& context;
    CapabilityQuery query;
};

using ListWriter = void (*)(SectionState&, std::string label);

enum class ItemKind { Flags, Enum, Long, List };

struct CapabilityItem {
    ItemKind kind;
    const char* label;
    WORD index;              // single values
    const NameEntry* table;  // Flags, Enum
    const char* unit;        // Long
    ListWriter list;         // List
};

std::string FixedText(const BYTE* field, std::size_t width)
{
    const auto* text = reinterpret_cast<const char*>(field);
    return std::string(text, strnlen(text, width));
}

// Texts of a produced-data-type record live in the driver's memory, not in the returned buffer.
std::string ForeignText(Spooler& spooler, const char* text)
{
    if (text == nullptr)
        return "(null)";
    std::optional<std::string> result = ReadDriverText(spooler, text);
    if (!result)
        throw DataFault("text pointer of a driver record leads to unreadable memory");
    return *result;
}

// Writes one line per entry under the list's label; a fault at an entry ends the list there.
template <class EntryWriter>
void WriteEntries(SectionState& state, std::int32_t count, std::string& label, EntryWriter&& writeEntry)
{
    ReportWriter& writer = state.context.writer;
    if (count == NotSupportedAnswer) {
        writer.AddItem(label, NotSupportedText);
        return;
    }
    Guarded(writer, [&] {
        for (std::int32_t i = 0; i < count; ++i)
            writeEntry(i);
    });
}

void WritePapers(SectionState& state, std::string label)
{
    const CapabilityArray names = state.query.Array(DC_PAPERNAMES);
    const CapabilityArray numbers = state.query.Array(DC_PAPERS);
    const CapabilityArray sizes = state.query.Array(DC_PAPERSIZE);
    WriteEntries(state, sizes.Count(), label, [&](std::int32_t i) {
        const auto number = ReadUnaligned<WORD>(numbers.Entry(i));
        const BYTE* size = sizes.Entry(i);
        const std::string name = FixedText(names.Entry(i), names.EntrySize());
        state.context.writer.AddItemFormat(label, "[%5u:%-37.37s] %5d * %5d (0.1mm) %s", unsigned{number},
                                           OrNull(LookupName(number, PaperNames)), ReadUnaligned<std::int32_t>(size),
                                           ReadUnaligned<std::int32_t>(size + 4), name.c_str());
    });
}

void WriteExtents(SectionState& state, std::string)
{
    for (const auto& [label, index] : {std::pair{"DC_MINEXTENT", DC_MINEXTENT}, std::pair{"DC_MAXEXTENT", DC_MAXEXTENT}}) {
        const std::int32_t answer = state.query.Value(index);
        std::string itemLabel = label;
        if (answer == NotSupportedAnswer) {
            state.context.writer.AddItem(itemLabel, NotSupportedText);
            continue;
        }
        const auto bits = static_cast<std::uint32_t>(answer);
        state.context.writer.AddItemFormat(itemLabel, "%5d * %5d (0.1mm)", int{static_cast<short>(bits & 0xFFFF)},
                                           int{static_cast<short>(bits >> 16)});
    }
}

void WriteBins(SectionState& state, std::string label)
{
    const CapabilityArray names = state.query.Array(DC_BINNAMES);
    const CapabilityArray numbers = state.query.Array(DC_BINS);
    WriteEntries(state, numbers.Count(), label, [&](std::int32_t i) {
        const auto number = ReadUnaligned<WORD>(numbers.Entry(i));
        const std::string name = FixedText(names.Entry(i), names.EntrySize());
        state.context.writer.AddItemFormat(label, "[%3u:%-19.19s] %s", unsigned{number},
                                           OrNull(LookupName(number, BinNames)), name.c_str());
    });
}

void WriteResolutions(SectionState& state, std::string label)
{
    const CapabilityArray resolutions = state.query.Array(DC_ENUMRESOLUTIONS);
    WriteEntries(state, resolutions.Count(), label, [&](std::int32_t i) {
        const BYTE* entry = resolutions.Entry(i);
        state.context.writer.AddItemFormat(label, "%5d * %5d dpi", ReadUnaligned<std::int32_t>(entry),
                                           ReadUnaligned<std::int32_t>(entry + 4));
    });
}

void WriteNameList(SectionState& state, std::string& label, WORD index)
{
    const CapabilityArray names = state.query.Array(index);
    WriteEntries(state, names.Count(), label, [&](std::int32_t i) {
        state.context.writer.AddItemString(label, FixedText(names.Entry(i), names.EntrySize()).c_str(), false);
        label.clear();
    });
}

void WriteFileDependencies(SectionState& state, std::string label)
{
    WriteNameList(state, label, DC_FILEDEPENDENCIES);
}

void WritePersonalities(SectionState& state, std::string label)
{
    WriteNameList(state, label, DC_PERSONALITY);
}

void WriteMediaReady(SectionState& state, std::string label)
{
    WriteNameList(state, label, DC_MEDIAREADY);
}

void WriteDataTypesProduced(SectionState& state, std::string label)
{
    const CapabilityArray records = state.query.Array(DC_DATATYPE_PRODUCED);
    Spooler& spooler = state.context.spooler;
    // The record's size says which of its fields the driver filled, in the layout it answered in:
    // a printer captured by the 32-bit program reads the same in every build.
    const DocInfoEnds ends = DocInfoEndsIn(spooler.LayoutOfAnswers(state.context.deviceName.c_str()));
    WriteEntries(state, records.Count(), label, [&](std::int32_t i) {
        const auto record = ReadUnaligned<DOCINFOA>(records.Entry(i));
        std::string value = ForeignText(spooler, record.lpszDocName);
        char size[16];
        std::snprintf(size, sizeof size, "%2d", record.cbSize);
        value = std::string(size) + " bytes: " + value + ", " + ForeignText(spooler, record.lpszOutput);
        if (record.cbSize >= ends.dataType)
            value += ", " + ForeignText(spooler, record.lpszDatatype);
        if (record.cbSize >= ends.type) {
            char flags[64];
            std::snprintf(flags, sizeof flags, " [%u:%-24.24s]", static_cast<unsigned>(record.fwType),
                          OrNull(LookupName(static_cast<std::int32_t>(record.fwType), DocInfoTypeNames)));
            value += flags;
        }
        state.context.writer.AddItem(label, value);
        label.clear();
    });
}

void WriteNup(SectionState& state, std::string label)
{
    const CapabilityArray choices = state.query.Array(DC_NUP);
    WriteEntries(state, choices.Count(), label, [&](std::int32_t i) {
        state.context.writer.AddItemFormat(label, "%3u pages per printed page",
                                           static_cast<unsigned>(ReadUnaligned<DWORD>(choices.Entry(i))));
    });
}

void WriteMediaTypes(SectionState& state, std::string label)
{
    const CapabilityArray names = state.query.Array(DC_MEDIATYPENAMES);
    const CapabilityArray types = state.query.Array(DC_MEDIATYPES);
    WriteEntries(state, types.Count(), label, [&](std::int32_t i) {
        const auto type = ReadUnaligned<DWORD>(types.Entry(i));
        WORD units[MediaTypeNameUnits];
        std::memcpy(units, names.Entry(i), sizeof units);
        const std::string name = WideToAnsi(units, MediaTypeNameUnits);
        state.context.writer.AddItemFormat(label, "%-64.64s [%3u:%-37.37s]", name.c_str(), static_cast<unsigned>(type),
                                           OrNull(LookupName(static_cast<std::int32_t>(type), MediaTypeNames)));
    });
}

constexpr CapabilityItem Flags(const char* label, WORD index, const NameEntry* table)
{
    return {ItemKind::Flags, label, index, table, nullptr, nullptr};
}
constexpr CapabilityItem Enum(const char* label, WORD index, const NameEntry* table)
{
    return {ItemKind::Enum, label, index, table, nullptr, nullptr};
}
constexpr CapabilityItem Long(const char* label, WORD index, const char* unit)
{
    return {ItemKind::Long, label, index, nullptr, unit, nullptr};
}
constexpr CapabilityItem List(const char* label, ListWriter list)
{
    return {ItemKind::List, label, 0, nullptr, nullptr, list};
}

const CapabilityItem Items[] = {
    Flags("DC_FIELDS", DC_FIELDS, DevModeFieldNames),
    List("DC_PAPERS", WritePapers),
    List("", WriteExtents),
    List("DC_BINS", WriteBins),
    Enum("DC_DUPLEX", DC_DUPLEX, BooleanNames),
    Long("DC_SIZE", DC_SIZE, "bytes"),
    Long("DC_EXTRA", DC_EXTRA, "bytes"),
    Long("DC_VERSION", DC_VERSION, ""),
    Long("DC_DRIVER", DC_DRIVER, ""),
    List("DC_ENUMRESOLUTIONS", WriteResolutions),
    List("DC_FILEDEPENDENCIES", WriteFileDependencies),
    Flags("DC_TRUETYPE", DC_TRUETYPE, TrueTypeNames),
    Long("DC_ORIENTATION", DC_ORIENTATION, "degrees rotate to produce landscape from portrait"),
    Long("DC_COPIES", DC_COPIES, "papers"),
    Enum("DC_BINADJUST[95]", DC_BINADJUST, BinAdjustNames),
    Enum("DC_EMF_COMPLIANT[95]", DC_EMF_COMPLIANT, BooleanNames),
    List("DC_DATATYPE_PRODUCED[95](DOCINFO)", WriteDataTypesProduced),
    Enum("DC_COLLATE[95]", DC_COLLATE, BooleanNames),
    Long("DC_MANUFACTURER[95]", DC_MANUFACTURER, " "),
    Long("DC_MODEL[95]", DC_MODEL, " "),
    List("DC_PERSONALITY[2000]", WritePersonalities),
    Long("DC_PRINTRATE[2000]", DC_PRINTRATE, "(DC_PRINTRATEUNIT indicated unit)"),
    Enum("DC_PRINTRATEUNIT[2000]", DC_PRINTRATEUNIT, PrintRateUnitNames),
    Long("DC_PRINTERMEM[2000]", DC_PRINTERMEM, "kilobytes"),
    List("DC_MEDIAREADY[2000]", WriteMediaReady),
    Enum("DC_STAPLE[2000]", DC_STAPLE, BooleanNames),
    Long("DC_PRINTRATEPPM[2000]", DC_PRINTRATEPPM, "ppm"),
    Enum("DC_COLORDEVICE[2000]", DC_COLORDEVICE, BooleanNames),
    List("DC_NUP[2000]", WriteNup),
    List("DC_MEDIATYPES[XP]", WriteMediaTypes),
};

}  // namespace

void WriteCapabilitySection(ReportContext& context)
{
    ReportWriter& writer = context.writer;
    writer.AddSectionTitle("Ostrel");
    SectionState state{context, CapabilityQuery(context.spooler, context.deviceName.c_str(), context.portName.c_str())};
    for (const CapabilityItem& item : Items) {
        switch (item.kind) {
        case ItemKind::Flags:
            writer.AddItemFlags(item.label, state.query.Value(item.index), item.table, true);
            break;
        case ItemKind::Enum:
            writer.AddItemEnum(item.label, state.query.Value(item.index), item.table, true);
            break;
        case ItemKind::Long:
            writer.AddItemLong(item.label, static_cast<DWORD>(state.query.Value(item.index)), item.unit, true);
            break;
        case ItemKind::List:
            Guarded(writer, [&] { item.list(state, item.label); });
            break;
        }
    }
}

}  // namespace ostrel
