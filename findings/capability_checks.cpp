// Checks of the capability answers among themselves.
#include "findings/check_kit.h"

#include "platform/spooler_buffer.h"

#include <algorithm>
#include <cstring>

namespace ostrel {

namespace {

struct Extent {
    int x;
    int y;
};

// The extents pack the width into the low and the length into the high 16 bits.
std::optional<Extent> ExtentOf(const ReportFacts& facts, WORD capability)
{
    const std::optional<std::int32_t> answer = facts.capabilities.Value(capability);
    if (!answer || *answer == NotSupportedAnswer)
        return std::nullopt;
    const auto bits = static_cast<std::uint32_t>(*answer);
    return Extent{static_cast<short>(bits & 0xFFFF), static_cast<short>(bits >> 16)};
}

std::string Size(int x, int y)
{
    return std::to_string(x) + " * " + std::to_string(y) + " (0.1mm)";
}

std::string Answer(const ReportFacts& facts, WORD capability)
{
    const std::optional<std::int32_t> answer = facts.capabilities.Value(capability);
    return answer ? std::to_string(*answer) : "nothing";
}

// The name of paper index as DC_PAPERNAMES gives it, with its number from DC_PAPERS.
std::string PaperOfIndex(const ReportFacts& facts, std::int32_t index)
{
    std::string paper;
    if (const CapabilityArray* names = facts.capabilities.Array(DC_PAPERNAMES); names && index < names->Count()) {
        const auto* name = reinterpret_cast<const char*>(names->Entry(index));
        paper = std::string("\"").append(name, strnlen(name, names->EntrySize())) + "\" ";
    }
    if (const CapabilityArray* numbers = facts.capabilities.Array(DC_PAPERS); numbers && index < numbers->Count())
        paper.append("(").append(Named(*ArrayNumber(*numbers, index), PaperNames)).append(") ");
    return paper;
}

}  // namespace

void PaperListCounts(const ReportFacts& facts, std::vector<Hit>& hits)
{
    struct Group {
        const char* label;  // where the report lists the group
        std::array<WORD, 3> members;
        std::array<const char*, 3> names;
        std::size_t count;
    };
    constexpr Group Groups[] = {
        {"DC_PAPERS", {DC_PAPERS, DC_PAPERNAMES, DC_PAPERSIZE}, {"DC_PAPERS", "DC_PAPERNAMES", "DC_PAPERSIZE"}, 3},
        {"DC_BINS", {DC_BINS, DC_BINNAMES, 0}, {"DC_BINS", "DC_BINNAMES", nullptr}, 2},
        {"DC_MEDIATYPES[XP]", {DC_MEDIATYPES, DC_MEDIATYPENAMES, 0}, {"DC_MEDIATYPES", "DC_MEDIATYPENAMES", nullptr}, 2},
    };
    for (const Group& group : Groups) {
        bool differ = false;
        for (std::size_t i = 1; i < group.count; ++i)
            differ |= facts.capabilities.Value(group.members[i]) != facts.capabilities.Value(group.members[0]);
        if (!differ)
            continue;
        std::string text = "the lists that belong together have different lengths:";
        for (std::size_t i = 0; i < group.count; ++i)
            text += std::string(i == 0 ? " " : ", ") + group.names[i] + " answers " + Answer(facts, group.members[i]);
        hits.push_back({text, DevModeSourceCount, DevModeSourceCount, group.label});
    }
}

void PaperOutsideExtent(const ReportFacts& facts, std::vector<Hit>& hits)
{
    const std::optional<Extent> least = ExtentOf(facts, DC_MINEXTENT);
    const std::optional<Extent> most = ExtentOf(facts, DC_MAXEXTENT);
    if (!least || !most)
        return;
    const std::string range =
        std::string("DC_MINEXTENT ") + Size(least->x, least->y) + " .. DC_MAXEXTENT " + Size(most->x, most->y);
    if (least->x > most->x || least->y > most->y) {
        hits.push_back({"the smallest paper exceeds the largest: " + range, DevModeSourceCount, DevModeSourceCount,
                        "DC_MINEXTENT"});
        return;
    }
    const CapabilityArray* sizes = facts.capabilities.Array(DC_PAPERSIZE);
    for (std::int32_t i = 0; sizes != nullptr && i < sizes->Count(); ++i) {
        const BYTE* entry = sizes->Entry(i);
        const auto x = ReadUnaligned<std::int32_t>(entry);
        const auto y = ReadUnaligned<std::int32_t>(entry + 4);
        if (x < least->x || y < least->y || x > most->x || y > most->y)
            hits.push_back({std::string("paper ") + PaperOfIndex(facts, i) + "of " + Size(x, y) + " lies outside " + range,
                            DevModeSourceCount, DevModeSourceCount, "DC_PAPERS"});
    }
}

void NameUnterminated(const ReportFacts& facts, std::vector<Hit>& hits)
{
    struct Names {
        WORD capability;
        const char* what;
        const char* label;  // where the report lists the names
        std::size_t unit;   // bytes of a character
    };
    constexpr Names Lists[] = {
        {DC_PAPERNAMES, "paper", "DC_PAPERS", 1},
        {DC_BINNAMES, "bin", "DC_BINS", 1},
        {DC_MEDIATYPENAMES, "media type", "DC_MEDIATYPES[XP]", 2},
    };
    for (const Names& list : Lists) {
        const CapabilityArray* names = facts.capabilities.Array(list.capability);
        for (std::int32_t i = 0; names != nullptr && i < names->Count(); ++i) {
            const BYTE* entry = names->Entry(i);
            bool terminated = false;
            for (std::size_t at = 0; at + list.unit <= names->EntrySize() && !terminated; at += list.unit)
                terminated = std::all_of(entry + at, entry + at + list.unit, [](BYTE b) { return b == 0; });
            if (!terminated)
                hits.push_back({std::string("the name of ") + list.what + " " + std::to_string(i + 1) + " fills all " +
                                    std::to_string(names->EntrySize()) + " bytes of its field with no end",
                                DevModeSourceCount, DevModeSourceCount, list.label});
        }
    }
}

}  // namespace ostrel
