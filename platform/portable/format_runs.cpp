#include "platform/portable/format_runs.h"

#include <iterator>

namespace ostrel {

namespace {

// How far a lookup walks from the run used last before it searches instead: the writer's next
// position lies at most a title's and a marker's runs away.
constexpr int NearbyRuns = 8;

}  // namespace

FormatRuns& FormatRuns::operator=(const FormatRuns& other)
{
    runs_ = other.runs_;
    cursor_ = runs_.end();
    return *this;
}

void FormatRuns::Clear()
{
    runs_.clear();
    cursor_ = runs_.end();
}

void FormatRuns::Append(int position, const CharFormat& format)
{
    if (runs_.empty() || runs_.rbegin()->second != format)
        runs_.emplace_hint(runs_.end(), position, format);
}

const CharFormat& FormatRuns::At(int position) const
{
    return std::prev(runs_.upper_bound(position))->second;
}

FormatRuns::Runs::iterator FormatRuns::RunHolding(int position)
{
    if (cursor_ != runs_.end()) {
        for (int step = 0; step < NearbyRuns; ++step) {
            if (cursor_->first > position) {
                if (cursor_ == runs_.begin())
                    break;
                --cursor_;
                continue;
            }
            const auto next = std::next(cursor_);
            if (next == runs_.end() || next->first > position)
                return cursor_;
            cursor_ = next;
        }
    }
    cursor_ = std::prev(runs_.upper_bound(position));
    return cursor_;
}

FormatRuns::Runs::iterator FormatRuns::SplitAt(int position)
{
    const Runs::iterator holding = RunHolding(position);
    if (holding->first != position)
        cursor_ = runs_.emplace_hint(std::next(holding), position, holding->second);
    return cursor_;
}

void FormatRuns::MergeEqual(Runs::iterator first, int to)
{
    Runs::iterator run = first == runs_.begin() ? std::next(first) : first;
    while (run != runs_.end() && run->first <= to) {
        const auto previous = std::prev(run);
        if (run->second == previous->second) {
            if (cursor_ == run)
                cursor_ = previous;
            run = runs_.erase(run);
        } else {
            run = std::next(run);
        }
    }
}

}  // namespace ostrel
