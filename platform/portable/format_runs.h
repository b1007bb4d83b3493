// The character attributes of a document's text, as runs of equal attributes by their first
// position: a run ends where the next begins. The writer works its way forward through the text,
// styling lines at its end and then marking from its start, so a lookup starts at the run it used
// last and takes a step or two; only a selection elsewhere searches the whole map. A report of a
// million lines holds a hundred thousand runs, and a search per lookup made its time grow faster
// than its text.
#pragma once

#include "platform/rich_document.h"

#include <map>

namespace ostrel {

class FormatRuns {
public:
    using Runs = std::map<int, CharFormat>;

    FormatRuns() = default;
    // A copy has the same runs; its lookups start afresh.
    FormatRuns(const FormatRuns& other) : runs_(other.runs_) {}
    FormatRuns& operator=(const FormatRuns& other);

    void Clear();
    // Text appended from position on, the end of the text, has format.
    void Append(int position, const CharFormat& format);
    // The format of the character at position, which lies inside the text.
    const CharFormat& At(int position) const;
    // Changes the format of the characters from to - 1; 0 <= from < to <= textLength. Neighbours
    // that end up equal become one run.
    template <typename Change>
    void Restyle(int from, int to, int textLength, Change change);

    Runs::const_iterator begin() const { return runs_.begin(); }
    Runs::const_iterator end() const { return runs_.end(); }

private:
    Runs::iterator RunHolding(int position);
    // The run that begins at position, split off the one that held it.
    Runs::iterator SplitAt(int position);
    void MergeEqual(Runs::iterator first, int to);

    Runs runs_;
    // The run used last; end() when there is none.
    Runs::iterator cursor_ = runs_.end();
};

template <typename Change>
void FormatRuns::Restyle(int from, int to, int textLength, Change change)
{
    const Runs::iterator first = SplitAt(from);
    if (to < textLength)
        SplitAt(to);
    for (auto run = first; run != runs_.end() && run->first < to; ++run)
        change(run->second);
    MergeEqual(first, to);
}

}  // namespace ostrel
