// Checks of each device mode the report lists: against the driver's capability answers, against
// the size the driver asked for, and against the other sources.
#include "findings/check_kit.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>

namespace ostrel {

namespace {

namespace bits = field_bits;

const DevModeField& Field(std::size_t offset)
{
    return DevModeFieldAt(offset);
}

// A paper given by its length and width, for which dmPaperSize need name no paper of the list.
bool IsCustomPaper(const DevModeRecord& record)
{
    const std::optional<std::int32_t> length =
        ClaimedNumber(record, bits::PaperLength, Field(offsetof(DEVMODEA, dmPaperLength)));
    const std::optional<std::int32_t> width =
        ClaimedNumber(record, bits::PaperWidth, Field(offsetof(DEVMODEA, dmPaperWidth)));
    return length && width && *length > 0 && *width > 0;
}

// A capability answered "no" (0) against a claimed field holding one of the values it rules out.
void ValueRuledOut(const ReportFacts& facts, std::vector<Hit>& hits, WORD capability, const char* answerText,
                   std::uint32_t bit, std::size_t offset, std::initializer_list<std::int32_t> ruledOut,
                   const char* wants)
{
    if (Answered(facts, capability) != 0)
        return;
    const DevModeField& field = Field(offset);
    ForEachListedDevMode(facts, [&](std::size_t source, const DevModeRecord& record) {
        const std::optional<std::int32_t> value = ClaimedNumber(record, bit, field);
        if (!value || std::find(ruledOut.begin(), ruledOut.end(), *value) == ruledOut.end())
            return;
        hits.push_back({SourceText(source) + " asks for " + wants + " (" + field.label + " " +
                            Named(*value, field.table) + ") but the driver answers " + answerText + " 0",
                        source});
    });
}

// A claimed number field (not 0) that the capability's list lacks, unless accepted(record, list,
// number) takes it for one the list holds.
template <typename Accepted>
void NumberNotListed(const ReportFacts& facts, std::vector<Hit>& hits, WORD capability, const char* listText,
                     const NameEntry* names, std::uint32_t bit, std::size_t offset, const char* wants,
                     Accepted accepted)
{
    const CapabilityArray* listed = AnsweredArray(facts, capability);
    if (listed == nullptr)
        return;
    const DevModeField& field = Field(offset);
    ForEachListedDevMode(facts, [&](std::size_t source, const DevModeRecord& record) {
        const std::optional<std::int32_t> number = ClaimedNumber(record, bit, field);
        if (!number || *number == 0 || accepted(record, *listed, *number))
            return;
        hits.push_back({SourceText(source) + wants + Named(*number, names) + "; " + listText + " lists " +
                            ArrayList(*listed, names),
                        source});
    });
}

// DMBIN_AUTO and DMBIN_FORMSOURCE both leave the tray to the driver: one choice under two numbers.
bool IsAutomaticBin(std::int32_t bin)
{
    constexpr std::int32_t Auto = 7, FormSource = 15;
    return bin == Auto || bin == FormSource;
}

bool BinListed(const DevModeRecord&, const CapabilityArray& bins, std::int32_t bin)
{
    if (ArrayHolds(&bins, bin))
        return true;
    if (!IsAutomaticBin(bin))
        return false;
    for (std::int32_t i = 0; i < bins.Count(); ++i)
        if (IsAutomaticBin(*ArrayNumber(bins, i)))
            return true;
    return false;
}

bool PaperListed(const DevModeRecord& record, const CapabilityArray& papers, std::int32_t paper)
{
    return IsCustomPaper(record) || ArrayHolds(&papers, paper);
}

}  // namespace

void ResolutionNotOffered(const ReportFacts& facts, std::vector<Hit>& hits)
{
    const CapabilityArray* offered = AnsweredArray(facts, DC_ENUMRESOLUTIONS);
    if (offered == nullptr)
        return;
    ForEachListedDevMode(facts, [&](std::size_t source, const DevModeRecord& record) {
        const std::optional<Pair> asked = AskedResolution(record);
        if (!asked)
            return;
        std::string list;
        for (std::int32_t i = 0; i < offered->Count(); ++i) {
            const Pair resolution = PairAt(*offered, i);
            if (resolution.x == asked->x && resolution.y == asked->y)
                return;
            list += i == 0 ? "" : ", ";
            list += ResolutionText(resolution);
        }
        hits.push_back({SourceText(source) + " asks for " + ResolutionText(*asked) + "; DC_ENUMRESOLUTIONS offers " +
                            (list.empty() ? "none" : list),
                        source});
    });
}

void ColourOnMono(const ReportFacts& facts, std::vector<Hit>& hits)
{
    ValueRuledOut(facts, hits, DC_COLORDEVICE, "DC_COLORDEVICE", bits::Color, offsetof(DEVMODEA, dmColor), {2},
                  "colour");
}

void DuplexNotOffered(const ReportFacts& facts, std::vector<Hit>& hits)
{
    ValueRuledOut(facts, hits, DC_DUPLEX, "DC_DUPLEX", bits::Duplex, offsetof(DEVMODEA, dmDuplex), {2, 3},
                  "two-sided printing");
}

void OrientationNotOffered(const ReportFacts& facts, std::vector<Hit>& hits)
{
    ValueRuledOut(facts, hits, DC_ORIENTATION, "DC_ORIENTATION", bits::Orientation,
                  offsetof(DEVMODEA, dmOrientation), {2}, "landscape");
}

void CollateNotOffered(const ReportFacts& facts, std::vector<Hit>& hits)
{
    ValueRuledOut(facts, hits, DC_COLLATE, "DC_COLLATE", bits::Collate, offsetof(DEVMODEA, dmCollate), {1},
                  "collated copies");
}

void SourceNotOffered(const ReportFacts& facts, std::vector<Hit>& hits)
{
    NumberNotListed(facts, hits, DC_BINS, "DC_BINS", BinNames, bits::DefaultSource,
                    offsetof(DEVMODEA, dmDefaultSource), " takes paper from ", BinListed);
}

void PaperNotOffered(const ReportFacts& facts, std::vector<Hit>& hits)
{
    NumberNotListed(facts, hits, DC_PAPERS, "DC_PAPERS", PaperNames, bits::PaperSize,
                    offsetof(DEVMODEA, dmPaperSize), " asks for paper ", PaperListed);
}

void CopiesAboveMax(const ReportFacts& facts, std::vector<Hit>& hits)
{
    const std::optional<std::int32_t> most = Answered(facts, DC_COPIES);
    if (!most || *most < 1)
        return;
    const DevModeField& field = Field(offsetof(DEVMODEA, dmCopies));
    ForEachListedDevMode(facts, [&](std::size_t source, const DevModeRecord& record) {
        const std::optional<std::int32_t> copies = ClaimedNumber(record, bits::Copies, field);
        if (copies && *copies > *most)
            hits.push_back({SourceText(source) + " asks for " + std::to_string(*copies) +
                                " copies; DC_COPIES allows at most " + std::to_string(*most),
                            source});
    });
}

void FieldsClaimedEmpty(const ReportFacts& facts, std::vector<Hit>& hits)
{
    constexpr FieldBit Fields[] = {
        {bits::PaperSize, offsetof(DEVMODEA, dmPaperSize)},
        {bits::Scale, offsetof(DEVMODEA, dmScale)},
        {bits::Copies, offsetof(DEVMODEA, dmCopies)},
        {bits::PrintQuality, offsetof(DEVMODEA, dmPrintQuality)},
    };
    ForEachListedDevMode(facts, [&](std::size_t source, const DevModeRecord& record) {
        for (const FieldBit& empty : Fields) {
            const DevModeField& field = Field(empty.offset);
            if (ClaimedNumber(record, empty.bit, field) != 0)
                continue;
            // A paper given by its length and width has no number.
            if (empty.bit == bits::PaperSize && IsCustomPaper(record))
                continue;
            hits.push_back({SourceText(source) + " claims " + field.label + " in dmFields but holds 0 there", source,
                            DevModeSourceCount, field.label});
        }
    });
}

void DevModeSize(const ReportFacts& facts, std::vector<Hit>& hits)
{
    // The ends of the published layouts: up to dmDisplayFrequency, dmReserved2, dmPanningHeight.
    constexpr std::array<std::int32_t, 3> KnownSizes = {124, 148, 156};
    const std::optional<std::int32_t> asked = facts.documentPropertiesSize;
    const DevModeField& sizeField = Field(offsetof(DEVMODEA, dmSize));
    const DevModeField& extraField = Field(offsetof(DEVMODEA, dmDriverExtra));
    ForEachListedDevMode(facts, [&](std::size_t source, const DevModeRecord& record) {
        // A driver's buffer may be too short to say even how long its record is.
        const std::optional<std::int32_t> size = NumberOf(record, sizeField);
        const std::optional<std::int32_t> extra = NumberOf(record, extraField);
        if (!size || !extra)
            return;
        if (std::find(KnownSizes.begin(), KnownSizes.end(), *size) == KnownSizes.end())
            hits.push_back({SourceText(source) + " has dmSize " + std::to_string(*size) +
                                " bytes, none of the platform's sizes (124, 148, 156)",
                            source});
        if (asked && *asked > 0 && *size + *extra != *asked)
            hits.push_back({SourceText(source) + " is dmSize " + std::to_string(*size) + " + dmDriverExtra " +
                                std::to_string(*extra) + " = " + std::to_string(*size + *extra) +
                                " bytes; DocumentProperties asked for " + std::to_string(*asked),
                            source});
    });
}

void DriverVersion(const ReportFacts& facts, std::vector<Hit>& hits)
{
    const std::optional<std::int32_t> driver = Answered(facts, DC_DRIVER);
    if (!driver)
        return;
    const DevModeField& field = Field(offsetof(DEVMODEA, dmDriverVersion));
    ForEachListedDevMode(facts, [&](std::size_t source, const DevModeRecord& record) {
        const std::optional<std::int32_t> version = NumberOf(record, field);
        if (version && *version != *driver)
            hits.push_back({SourceText(source) + " has dmDriverVersion " + std::to_string(*version) +
                                "; DC_DRIVER answers " + std::to_string(*driver),
                            source});
    });
}

void FormNameDiffers(const ReportFacts& facts, std::vector<Hit>& hits)
{
    const CapabilityArray* papers = AnsweredArray(facts, DC_PAPERS);
    const CapabilityArray* names = AnsweredArray(facts, DC_PAPERNAMES);
    if (papers == nullptr || names == nullptr)
        return;
    const DevModeField& formField = Field(offsetof(DEVMODEA, dmFormName));
    ForEachListedDevMode(facts, [&](std::size_t source, const DevModeRecord& record) {
        const std::optional<std::int32_t> paper =
            ClaimedNumber(record, bits::PaperSize, Field(offsetof(DEVMODEA, dmPaperSize)));
        if (!paper || !Claims(record, bits::FormName) || !record.Holds(formField))
            return;
        for (std::int32_t i = 0; i < papers->Count() && i < names->Count(); ++i) {
            if (ArrayNumber(*papers, i) != *paper)
                continue;
            const auto* name = reinterpret_cast<const char*>(names->Entry(i));
            const std::string paperName(name, strnlen(name, names->EntrySize()));
            const std::string form = ValueText(record, formField);
            if (form != "\"" + paperName + "\"")
                hits.push_back({SourceText(source) + " names form " + form + " for paper " +
                                    Named(*paper, PaperNames) + ", which DC_PAPERNAMES calls \"" + paperName + "\"",
                                source});
            return;
        }
    });
}

void SourcesDisagree(const ReportFacts& facts, std::vector<Hit>& hits)
{
    constexpr FieldBit Compared[] = {
        {bits::Orientation, offsetof(DEVMODEA, dmOrientation)},   {bits::PaperSize, offsetof(DEVMODEA, dmPaperSize)},
        {bits::PaperLength, offsetof(DEVMODEA, dmPaperLength)},   {bits::PaperWidth, offsetof(DEVMODEA, dmPaperWidth)},
        {bits::Scale, offsetof(DEVMODEA, dmScale)},               {bits::Copies, offsetof(DEVMODEA, dmCopies)},
        {bits::DefaultSource, offsetof(DEVMODEA, dmDefaultSource)},
        {bits::PrintQuality, offsetof(DEVMODEA, dmPrintQuality)}, {bits::Color, offsetof(DEVMODEA, dmColor)},
        {bits::Duplex, offsetof(DEVMODEA, dmDuplex)},             {bits::YResolution, offsetof(DEVMODEA, dmYResolution)},
        {bits::TTOption, offsetof(DEVMODEA, dmTTOption)},         {bits::Collate, offsetof(DEVMODEA, dmCollate)},
        {bits::FormName, offsetof(DEVMODEA, dmFormName)},         {bits::Nup, offsetof(DEVMODEA, dmNup)},
        {bits::IcmMethod, offsetof(DEVMODEA, dmICMMethod)},       {bits::IcmIntent, offsetof(DEVMODEA, dmICMIntent)},
        {bits::MediaType, offsetof(DEVMODEA, dmMediaType)},       {bits::DitherType, offsetof(DEVMODEA, dmDitherType)},
    };
    ForEachListedDevMode(facts, [&](std::size_t source, const DevModeRecord& record) {
        ForEachListedDevMode(facts, [&](std::size_t other, const DevModeRecord& otherRecord) {
            if (other <= source)
                return;
            for (const FieldBit& compared : Compared) {
                const DevModeField& field = Field(compared.offset);
                if (!Claims(record, compared.bit) || !Claims(otherRecord, compared.bit) || !record.Holds(field) ||
                    !otherRecord.Holds(field) || record.HeldBytes(field.offset, field.width).size() != field.width ||
                    otherRecord.HeldBytes(field.offset, field.width).size() != field.width)
                    continue;
                const std::string a = ValueText(record, field);
                const std::string b = ValueText(otherRecord, field);
                if (a != b)
                    hits.push_back({SourceText(source) + " and " + SourceText(other) + " differ in " + field.label +
                                        ": " + a + " and " + b,
                                    source, other, field.label});
            }
        });
    });
}

}  // namespace ostrel
