#include "core/TextAlignment.h"

#include <algorithm>

namespace TextAlignment {

std::vector<qsizetype> pairedUnits(const QString &from, const QString &to)
{
    // Edit distances between every prefix of `from` (rows) and of `to` (columns).
    const qsizetype rows = from.size() + 1;
    const qsizetype columns = to.size() + 1;
    std::vector<int> distance(size_t(rows * columns));
    auto at = [&](qsizetype i, qsizetype j) -> int & { return distance[size_t(i * columns + j)]; };
    for (qsizetype i = 0; i < rows; ++i)
        at(i, 0) = int(i);
    for (qsizetype j = 0; j < columns; ++j)
        at(0, j) = int(j);
    auto replaced = [&](qsizetype i, qsizetype j) {
        return at(i - 1, j - 1) + (from[i - 1] == to[j - 1] ? 0 : 1);
    };
    for (qsizetype i = 1; i < rows; ++i)
        for (qsizetype j = 1; j < columns; ++j)
            at(i, j) = std::min({replaced(i, j), at(i - 1, j) + 1, at(i, j - 1) + 1});

    std::vector<qsizetype> paired(size_t(from.size()), -1);
    qsizetype i = rows - 1;
    qsizetype j = columns - 1;
    while (i > 0 && j > 0) {
        if (at(i, j) == replaced(i, j)) {
            paired[size_t(i - 1)] = j - 1;
            --i;
            --j;
        } else if (at(i, j) == at(i - 1, j) + 1) {
            --i;
        } else {
            --j;
        }
    }
    return paired;
}

} // namespace TextAlignment
