// Checks of the capability answers among themselves.
#include "findings/check_kit.h"

#include <algorithm>
#include <cstring>

namespace ostrel {

namespace {

std::string Answer(const ReportFacts& facts, WORD capability)
{
    const std::optional<std::int32_t> answer = AnswersOf(facts).Value(capability);
    return answer ? std::to_string(*answer) : "nothing";
}

}  // namespace

void DriverSilent(const ReportFacts& facts, std::vector<Hit>& hits)
{
    const Silence silence = SilenceOf(facts.capabilities);
    // A printer that did not open answers nothing either; not-opened says why.
    if (!facts.opened || (!silence.noDeviceMode && !silence.noList))
        return;
    std::string text = "the driver's capability answers are empty (";
    text += silence.noDeviceMode ? "DC_FIELDS 0, DC_SIZE 0 bytes" : "";
    text += silence.noDeviceMode && silence.noList ? ", " : "";
    text += silence.noList ? "no list has an entry" : "";
    hits.push_back({text + "): no other rule judges them"});
}

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
        const CapabilityAnswers& answers = AnswersOf(facts);
        bool differ = false;
        for (std::size_t i = 1; i < group.count; ++i)
            differ |= answers.Value(group.members[i]) != answers.Value(group.members[0]);
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
    const std::optional<Pair> least = ExtentOf(facts, DC_MINEXTENT);
    const std::optional<Pair> most = ExtentOf(facts, DC_MAXEXTENT);
    // An extent of no size is size-negative's.
    if (!least || !most || !IsPositive(*least) || !IsPositive(*most))
        return;
    const std::string range = "DC_MINEXTENT " + SizeText(*least) + " .. DC_MAXEXTENT " + SizeText(*most);
    if (least->x > most->x || least->y > most->y) {
        hits.push_back({"the smallest paper exceeds the largest: " + range, DevModeSourceCount, DevModeSourceCount,
                        "DC_MINEXTENT"});
        return;
    }
    const CapabilityArray* sizes = AnsweredArray(facts, DC_PAPERSIZE);
    for (std::int32_t i = 0; sizes != nullptr && i < sizes->Count(); ++i) {
        const Pair size = PairAt(*sizes, i);
        if (IsPositive(size) && (size.x < least->x || size.y < least->y || size.x > most->x || size.y > most->y))
            hits.push_back({"paper " + PaperOfIndex(facts, i) + "of " + SizeText(size) + " lies outside " + range,
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
        const CapabilityArray* names = AnswersOf(facts).Array(list.capability);
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
