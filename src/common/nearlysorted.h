#pragma once
// Sorting what is mostly in order already: the index entries of a data file come in the order
// of their groups, and a damaged file moves only some of them. The elements that stand out of
// order are taken aside, sorted and merged back, so that a handful of them costs a pass over
// the rest instead of a whole sort.
#include <algorithm>
#include <vector>

namespace yuedu {

template <typename T, typename Less> void sortNearlySorted(std::vector<T> &v, Less less) {
    std::vector<T> kept, moved;
    kept.reserve(v.size());
    for (const T &x : v) {
        if (kept.empty() || !less(x, kept.back())) {
            kept.push_back(x);
        } else if (kept.size() >= 2 && !less(x, kept[kept.size() - 2])) {
            // The last one kept was too large for its place: it goes aside instead of x.
            moved.push_back(kept.back());
            kept.back() = x;
        } else {
            moved.push_back(x);
        }
    }
    if (moved.empty())
        return;
    std::sort(moved.begin(), moved.end(), less);
    v.clear();
    std::merge(kept.begin(), kept.end(), moved.begin(), moved.end(), std::back_inserter(v), less);
}

} // namespace yuedu
