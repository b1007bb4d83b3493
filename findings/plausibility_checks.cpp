// Checks for values no printer can have: resolutions and sizes, in the driver's lists and in the
// device modes.
#include "findings/check_kit.h"

#include <algorithm>
#include <cstdint>

namespace ostrel {

namespace {

namespace bits = field_bits;

// The coarsest printers print 60 dpi (dot-matrix drafts); the most uneven modes, fax (204 * 98)
// and inkjet (2880 * 720, 5760 * 1440), are 4:1 at most. Both limits leave room (docs/findings.md).
constexpr std::int32_t LeastDpi = 50;
constexpr std::int64_t WidestRatio = 8;

// Why no printer has the resolution; empty when one may.
std::string Implausibility(Pair resolution)
{
    // Appended, not prefixed: GCC 12's -Wrestrict misreads a literal put before a temporary.
    std::string why;
    const auto [low, high] = std::minmax(resolution.x, resolution.y);
    if (low < LeastDpi)
        why.append("below ").append(std::to_string(LeastDpi)).append(" dpi");
    else if (std::int64_t{high} > WidestRatio * low)
        why.append("x:y beyond ").append(std::to_string(WidestRatio)).append(":1");
    return why;
}

constexpr char NoSize[] = ": a width or length of 0 or less";

// An extent packs each number into 16 bits: a size past 3276.7 mm comes out negative.
std::string ExtentSizeText(const char* name, Pair extent)
{
    std::string text = std::string(name) + " is " + SizeText(extent) + NoSize;
    for (const std::int32_t value : {extent.x, extent.y})
        if (value < 0)
            return text + " (" + std::to_string(value) + ": " + std::to_string(value + 65536) +
                   " wrapped into the answer's 16 bits)";
    return text;
}

}  // namespace

void ResolutionImplausible(const ReportFacts& facts, std::vector<Hit>& hits)
{
    if (const CapabilityArray* offered = AnsweredArray(facts, DC_ENUMRESOLUTIONS)) {
        std::string list;
        for (std::int32_t i = 0; i < offered->Count(); ++i) {
            const Pair resolution = PairAt(*offered, i);
            const std::string why = Implausibility(resolution);
            if (!why.empty())
                list += (list.empty() ? "" : ", ") + ResolutionText(resolution) + " (" + why + ")";
        }
        if (!list.empty())
            hits.push_back({"DC_ENUMRESOLUTIONS offers resolutions no printer has: " + list, DevModeSourceCount,
                            DevModeSourceCount, "DC_ENUMRESOLUTIONS"});
    }
    ForEachListedDevMode(facts, [&](std::size_t source, const DevModeRecord& record) {
        const std::optional<Pair> asked = AskedResolution(record);
        const std::string why = asked ? Implausibility(*asked) : std::string();
        if (!why.empty())
            hits.push_back({SourceText(source) + " asks for " + ResolutionText(*asked) +
                                ", a resolution no printer has (" + why + ")",
                            source, DevModeSourceCount, "dmPrintQuality"});
    });
}

void SizeNegative(const ReportFacts& facts, std::vector<Hit>& hits)
{
    for (const auto& [capability, name] : {std::pair{DC_MINEXTENT, "DC_MINEXTENT"}, std::pair{DC_MAXEXTENT, "DC_MAXEXTENT"}})
        if (const std::optional<Pair> extent = ExtentOf(facts, capability); extent && !IsPositive(*extent))
            hits.push_back({ExtentSizeText(name, *extent), DevModeSourceCount, DevModeSourceCount, name});
    const CapabilityArray* sizes = AnsweredArray(facts, DC_PAPERSIZE);
    for (std::int32_t i = 0; sizes != nullptr && i < sizes->Count(); ++i)
        if (const Pair size = PairAt(*sizes, i); !IsPositive(size))
            hits.push_back({"paper " + PaperOfIndex(facts, i) + "is " + SizeText(size) + NoSize, DevModeSourceCount,
                            DevModeSourceCount, "DC_PAPERS"});
    constexpr FieldBit Sides[] = {{bits::PaperWidth, offsetof(DEVMODEA, dmPaperWidth)},
                                  {bits::PaperLength, offsetof(DEVMODEA, dmPaperLength)}};
    ForEachListedDevMode(facts, [&](std::size_t source, const DevModeRecord& record) {
        for (const FieldBit& side : Sides) {
            const DevModeField& field = DevModeFieldAt(side.offset);
            if (const std::optional<std::int32_t> value = ClaimedNumber(record, side.bit, field); value && *value <= 0)
                hits.push_back({SourceText(source) + " claims " + field.label + " " + ValueText(record, field) +
                                    ", a paper of no size",
                                source, DevModeSourceCount, field.label});
        }
    });
}

}  // namespace ostrel
