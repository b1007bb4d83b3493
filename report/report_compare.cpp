#include "report/report_compare.h"

#include <algorithm>
#include <unordered_map>

namespace ostrel {

namespace {

// Pairs the elements of two sequences by key, the n-th of a key in A with the n-th of it in B, in
// one pass over each: A's order first, then what only B has in B's order.
template <class T, class KeyOf, class Visit>
void Pair(const std::vector<T>& a, const std::vector<T>& b, KeyOf&& keyOf, Visit&& visit)
{
    std::unordered_map<std::string, std::vector<std::size_t>> inB;
    for (std::size_t i = 0; i < b.size(); ++i)
        inB[keyOf(b[i])].push_back(i);
    std::unordered_map<std::string, std::size_t> taken;
    std::vector<bool> matched(b.size(), false);
    for (const T& element : a) {
        const std::string key = keyOf(element);
        const auto found = inB.find(key);
        std::size_t& next = taken[key];
        if (found != inB.end() && next < found->second.size()) {
            const std::size_t at = found->second[next++];
            matched[at] = true;
            visit(&element, &b[at]);
        } else {
            visit(&element, static_cast<const T*>(nullptr));
        }
    }
    for (std::size_t i = 0; i < b.size(); ++i)
        if (!matched[i])
            visit(static_cast<const T*>(nullptr), &b[i]);
}

std::string OptionalKey(const std::optional<std::string>& text)
{
    // A leading byte no label or title starts with keeps "absent" apart from any text.
    return text ? "=" + *text : std::string("-");
}

std::string ValueKey(const ReportValue& value)
{
    std::string key(1, '#');
    if (const auto* number = std::get_if<std::uint64_t>(&value.raw))
        key += std::to_string(*number);
    else if (const auto* number = std::get_if<std::int64_t>(&value.raw))
        key += std::to_string(*number);
    else
        key = "=" + value.text;
    return key;
}

void CompareValues(const std::vector<ReportValue>& a, const std::vector<ReportValue>& b,
                   std::vector<Difference>& differences)
{
    Pair(a, b, ValueKey, [&](const ReportValue* inA, const ReportValue* inB) {
        if (inA == nullptr)
            differences.push_back({DifferenceKind::OnlyInB, {}, inB->text});
        else if (inB == nullptr)
            differences.push_back({DifferenceKind::OnlyInA, inA->text, {}});
        else if (inA->text != inB->text)
            differences.push_back({DifferenceKind::Changed, inA->text, inB->text});
    });
}

void CompareItems(const ReportItem* a, const ReportItem* b, LabelDifferences& found)
{
    std::vector<Difference>& differences = found.differences;
    static const std::vector<ReportValue> none;
    const std::vector<ReportValue>& valuesA = a != nullptr ? a->values : none;
    const std::vector<ReportValue>& valuesB = b != nullptr ? b->values : none;
    // Two single values are one value that changed, whatever numbers they stand for.
    if (a != nullptr && b != nullptr && !a->list && !b->list) {
        if (valuesA.front().text != valuesB.front().text)
            differences.push_back({DifferenceKind::Changed, valuesA.front().text, valuesB.front().text});
        return;
    }
    found.list = (a != nullptr && a->list) || (b != nullptr && b->list);
    CompareValues(valuesA, valuesB, differences);
}

// Keys that count the occurrences of each label, so that repeated labels pair in order.
std::vector<std::string> OccurrenceKeys(const std::vector<std::string>& keys)
{
    std::unordered_map<std::string, std::size_t> seen;
    std::vector<std::string> result;
    result.reserve(keys.size());
    for (const std::string& key : keys)
        result.push_back(key + "\n" + std::to_string(seen[key]++));
    return result;
}

template <class T, class KeyOf>
std::vector<std::pair<std::string, const T*>> Keyed(const std::vector<T>& elements, KeyOf&& keyOf)
{
    std::vector<std::string> keys;
    keys.reserve(elements.size());
    for (const T& element : elements)
        keys.push_back(keyOf(element));
    keys = OccurrenceKeys(keys);
    std::vector<std::pair<std::string, const T*>> result;
    result.reserve(elements.size());
    for (std::size_t i = 0; i < elements.size(); ++i)
        result.emplace_back(std::move(keys[i]), &elements[i]);
    return result;
}

template <class T>
using KeyedElement = std::pair<std::string, const T*>;

template <class T>
std::string KeyOfKeyed(const KeyedElement<T>& element)
{
    return element.first;
}

void CompareSections(const ReportSection* a, const ReportSection* b, std::vector<LabelDifferences>& labels)
{
    static const std::vector<ReportItem> none;
    const auto itemKey = [](const ReportItem& item) { return OptionalKey(item.label); };
    const auto keyedA = Keyed(a != nullptr ? a->items : none, itemKey);
    const auto keyedB = Keyed(b != nullptr ? b->items : none, itemKey);
    Pair(keyedA, keyedB, KeyOfKeyed<ReportItem>,
         [&](const KeyedElement<ReportItem>* inA, const KeyedElement<ReportItem>* inB) {
             const ReportItem* itemA = inA != nullptr ? inA->second : nullptr;
             const ReportItem* itemB = inB != nullptr ? inB->second : nullptr;
             LabelDifferences found{itemA != nullptr ? itemA->label : itemB->label, false, {}};
             CompareItems(itemA, itemB, found);
             if (!found.differences.empty())
                 labels.push_back(std::move(found));
         });
}

void AppendLine(std::string& text, const std::string& label, const std::string& value)
{
    constexpr std::size_t LabelColumns = 24;
    text.append(label, 0, std::min(label.size(), LabelColumns));
    text.append(LabelColumns - std::min(label.size(), LabelColumns), ' ');
    text += " : " + value + "\r\n";
}

}  // namespace

std::vector<SectionDifferences> CompareReports(const StructuredReport& a, const StructuredReport& b)
{
    const auto sectionKey = [](const ReportSection& section) { return OptionalKey(section.title); };
    const auto keyedA = Keyed(a.sections, sectionKey);
    const auto keyedB = Keyed(b.sections, sectionKey);
    std::vector<SectionDifferences> result;
    Pair(keyedA, keyedB, KeyOfKeyed<ReportSection>,
         [&](const KeyedElement<ReportSection>* inA, const KeyedElement<ReportSection>* inB) {
             const ReportSection* sectionA = inA != nullptr ? inA->second : nullptr;
             const ReportSection* sectionB = inB != nullptr ? inB->second : nullptr;
             SectionDifferences found{sectionA != nullptr ? sectionA->title : sectionB->title, {}};
             CompareSections(sectionA, sectionB, found.labels);
             if (!found.labels.empty())
                 result.push_back(std::move(found));
         });
    return result;
}

std::string DifferencesText(const std::vector<SectionDifferences>& differences)
{
    if (differences.empty())
        return "Same.\r\n";
    std::string text;
    for (const SectionDifferences& section : differences) {
        if (!text.empty())
            text += "\r\n";
        text += "- " + section.title.value_or("") + " -\r\n";
        for (const LabelDifferences& label : section.labels) {
            std::string column = label.label.value_or("");
            for (const Difference& difference : label.differences) {
                switch (difference.kind) {
                case DifferenceKind::Changed:
                    AppendLine(text, column, (label.list ? "changed: " : "") + difference.a + "  |  " + difference.b);
                    break;
                case DifferenceKind::OnlyInA:
                    AppendLine(text, column, "only in A: " + difference.a);
                    break;
                case DifferenceKind::OnlyInB:
                    AppendLine(text, column, "only in B: " + difference.b);
                    break;
                }
                column.clear();
            }
        }
    }
    return text;
}

}  // namespace ostrel
