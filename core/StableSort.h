#pragma once

#include <iterator>
#include <type_traits>
#include <utility>
#include <vector>

// A stable merge sort in O(n log n) that stays well defined for any "comes before" test, also one
// that is not a strict weak ordering (std::sort and std::stable_sort are undefined behaviour
// then). It only ever asks whether one element comes before another and moves elements between
// the sequence and one buffer, so the result is always a permutation of the input; an element
// passes an earlier one only when the test says it comes before it, so pairs the test cannot
// tell apart keep their order.
namespace StableSortDetail {

template <typename Value, typename Before>
void mergeSort(Value *items, Value *buffer, std::size_t count, Before &before)
{
    if (count < 2)
        return;
    const std::size_t half = count / 2;
    mergeSort(items, buffer, half, before);
    mergeSort(items + half, buffer, count - half, before);
    // Already in order (the common case for a list sorted before): nothing to merge.
    if (!before(items[half], items[half - 1]))
        return;
    for (std::size_t i = 0; i < half; ++i)
        buffer[i] = std::move(items[i]);
    std::size_t left = 0, right = half, out = 0;
    while (left < half && right < count) {
        if (before(items[right], buffer[left]))
            items[out++] = std::move(items[right++]);
        else
            items[out++] = std::move(buffer[left++]);
    }
    while (left < half)
        items[out++] = std::move(buffer[left++]);
}

} // namespace StableSortDetail

// Sorts a contiguous sequence (std::vector, QList) in place.
template <typename Sequence, typename Before>
void stableSort(Sequence &items, Before before)
{
    using Value = std::remove_cvref_t<decltype(*std::data(items))>;
    const std::size_t count = std::size(items);
    if (count < 2)
        return;
    std::vector<Value> buffer(count / 2);
    StableSortDetail::mergeSort(std::data(items), buffer.data(), count, before);
}
