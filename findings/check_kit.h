// What the checks share: reading a device mode's claimed fields safely, walking the sources the
// report shows, and writing values the way the report does.
#pragma once

#include "findings/findings.h"
#include "names/name_tables.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace ostrel {

// dmFields bits, as the platform defines them.
namespace field_bits {
constexpr std::uint32_t Orientation = 0x1, PaperSize = 0x2, PaperLength = 0x4, PaperWidth = 0x8, Scale = 0x10,
                        Nup = 0x40, Copies = 0x100, DefaultSource = 0x200, PrintQuality = 0x400, Color = 0x800,
                        Duplex = 0x1000, YResolution = 0x2000, TTOption = 0x4000, Collate = 0x8000,
                        FormName = 0x10000, IcmMethod = 0x800000, IcmIntent = 0x1000000, MediaType = 0x2000000,
                        DitherType = 0x4000000;
}

// A device-mode field a check reads: its bit in dmFields and its offset in the record.
struct FieldBit {
    std::uint32_t bit;
    std::size_t offset;
};

// The table's row for the field at offset.
const DevModeField& DevModeFieldAt(std::size_t offset);

// The field's value as the report shows it (16-bit values with their sign where they have one),
// or none when the record does not hold all of it.
std::optional<std::int32_t> NumberOf(const DevModeRecord& record, const DevModeField& field);
// The value, when dmFields claims the field and the record holds it.
std::optional<std::int32_t> ClaimedNumber(const DevModeRecord& record, std::uint32_t bit, const DevModeField& field);
bool Claims(const DevModeRecord& record, std::uint32_t bit);

// "name (value)" through a name table, the bare value when the table has no name for it.
std::string Named(std::int32_t value, const NameEntry* table);
// A field's value as a reader compares it: named, a text in quotes, or a number with its unit.
std::string ValueText(const DevModeRecord& record, const DevModeField& field);

// "Default device mode", "DocumentProperties device mode", ... for a text.
std::string SourceText(std::size_t source);

// Calls visit(source, record) for every source whose record the report lists itself: sources it
// folds into an earlier one ("Same as") and absent records are left out.
template <class Visit>
void ForEachListedDevMode(const ReportFacts& facts, Visit&& visit)
{
    for (std::size_t source = 0; source < DevModeSourceCount; ++source) {
        const DevModeFacts& devMode = facts.devModes[source];
        if (devMode.record && !devMode.sameAs)
            visit(source, *devMode.record);
    }
}

// The signs of a driver that answered nothing: DC_FIELDS and DC_SIZE both 0 (not even a device mode
// of its own), or no list with an entry, the papers' answered empty. Such zeros are no answers.
struct Silence {
    bool noDeviceMode;
    bool noList;
};
Silence SilenceOf(const CapabilityAnswers& answers);
bool AnswersNothing(const CapabilityAnswers& answers);
// The capability answers as the rules read them: none at all from a silent driver, so that every
// rule is silent about it as about an answer of -1 (driver-silent says so once).
const CapabilityAnswers& AnswersOf(const ReportFacts& facts);
// A single-value answer that was given: asked, not -1, not from a silent driver.
std::optional<std::int32_t> Answered(const ReportFacts& facts, WORD capability);
// A list that was given: asked, not -1, not from a silent driver.
const CapabilityArray* AnsweredArray(const ReportFacts& facts, WORD capability);

// Entries of a capability array as numbers: 16-bit (papers, bins) or 32-bit (media types).
std::optional<std::int32_t> ArrayNumber(const CapabilityArray& array, std::int32_t index);
bool ArrayHolds(const CapabilityArray* array, std::int32_t value);
// "a, b, c" of an array's numbers through a name table, at most limit of them ("..." after).
std::string ArrayList(const CapabilityArray& array, const NameEntry* table, std::size_t limit = 12);

// Two numbers of an answer: a resolution (dpi), a paper size or an extent (0.1 mm).
struct Pair {
    std::int32_t x;
    std::int32_t y;
};
// Both numbers above 0: a size or a resolution a printer can have at all.
constexpr bool IsPositive(Pair pair)
{
    return pair.x > 0 && pair.y > 0;
}
// Entry index of DC_ENUMRESOLUTIONS or DC_PAPERSIZE.
Pair PairAt(const CapabilityArray& array, std::int32_t index);
// DC_MINEXTENT or DC_MAXEXTENT, when given: width in the low, length in the high 16 bits.
std::optional<Pair> ExtentOf(const ReportFacts& facts, WORD capability);
// The resolution a device mode asks for: dmPrintQuality (claimed and positive; below 0 it names a
// quality, not a resolution) by dmYResolution (claimed and positive, else the same: square).
std::optional<Pair> AskedResolution(const DevModeRecord& record);
// "x * y dpi" and "x * y (0.1mm)".
std::string ResolutionText(Pair resolution);
std::string SizeText(Pair size);
// The paper of a list index as DC_PAPERNAMES and DC_PAPERS give it: "\"name\" (number) ", or less.
std::string PaperOfIndex(const ReportFacts& facts, std::int32_t index);

// Checks grouped by what they read.
void ResolutionNotOffered(const ReportFacts& facts, std::vector<Hit>& hits);
void ColourOnMono(const ReportFacts& facts, std::vector<Hit>& hits);
void SourceNotOffered(const ReportFacts& facts, std::vector<Hit>& hits);
void PaperNotOffered(const ReportFacts& facts, std::vector<Hit>& hits);
void DuplexNotOffered(const ReportFacts& facts, std::vector<Hit>& hits);
void CopiesAboveMax(const ReportFacts& facts, std::vector<Hit>& hits);
void OrientationNotOffered(const ReportFacts& facts, std::vector<Hit>& hits);
void CollateNotOffered(const ReportFacts& facts, std::vector<Hit>& hits);
void FieldsClaimedEmpty(const ReportFacts& facts, std::vector<Hit>& hits);
void DevModeSize(const ReportFacts& facts, std::vector<Hit>& hits);
void DriverVersion(const ReportFacts& facts, std::vector<Hit>& hits);
void FormNameDiffers(const ReportFacts& facts, std::vector<Hit>& hits);
void SourcesDisagree(const ReportFacts& facts, std::vector<Hit>& hits);

void DriverSilent(const ReportFacts& facts, std::vector<Hit>& hits);
void ResolutionImplausible(const ReportFacts& facts, std::vector<Hit>& hits);
void SizeNegative(const ReportFacts& facts, std::vector<Hit>& hits);
void PaperListCounts(const ReportFacts& facts, std::vector<Hit>& hits);
void PaperOutsideExtent(const ReportFacts& facts, std::vector<Hit>& hits);
void NameUnterminated(const ReportFacts& facts, std::vector<Hit>& hits);

void DefaultPort(const ReportFacts& facts, std::vector<Hit>& hits);
void StatusError(const ReportFacts& facts, std::vector<Hit>& hits);
void NotOpened(const ReportFacts& facts, std::vector<Hit>& hits);

}  // namespace ostrel
