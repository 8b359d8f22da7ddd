#pragma once

#include <utility>

// A stable sort that is well defined for any "comes before" test, also one that is not a strict
// weak ordering (std::sort and std::stable_sort are undefined behaviour then). An element moves
// ahead only of the earlier ones it comes before, so pairs the test cannot tell apart keep their
// order and the result is always a permutation. Inputs here are short or nearly sorted, where it
// is close to linear.
template <typename Sequence, typename Before>
void insertionSort(Sequence &items, Before before)
{
    using Index = decltype(items.size());
    for (Index i = 1; i < items.size(); ++i) {
        auto moving = std::move(items[i]);
        Index at = i;
        for (; at > 0 && before(moving, items[at - 1]); --at)
            items[at] = std::move(items[at - 1]);
        items[at] = std::move(moving);
    }
}
