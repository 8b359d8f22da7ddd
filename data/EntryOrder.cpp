#include "data/EntryOrder.h"

#include "core/StableSort.h"

#include <QHashFunctions>
#include <numeric>
#include <vector>

namespace {

// What the rules look at, computed once per entry instead of once per comparison.
struct SortKey {
    bool done;
    bool hasDue;
    qint64 dueMs;
    QByteArray title; // NFC in UTF-8, whose byte order is code-point order
};

SortKey sortKey(const TaskItem &task)
{
    return {task.done, task.due.has_value(), task.due ? task.due->toMSecsSinceEpoch() : 0,
            task.title.normalized(QString::NormalizationForm_C).toUtf8()};
}

bool comesBefore(const SortKey &a, const SortKey &b)
{
    if (a.done != b.done)
        return !a.done;
    if (a.hasDue && b.hasDue && a.dueMs != b.dueMs)
        return a.dueMs < b.dueMs;
    return a.title < b.title;
}

} // namespace

void sortEntries(QList<TaskItem> &entries)
{
    // Entries with the same key are one group, sorted once and kept in their previous order.
    // Without a strict weak ordering a merge can carry one entry past its twin by way of a
    // third; grouping twins first keeps their order whatever the rules do.
    std::vector<SortKey> keys; // one per group
    // Each group's entries as a chain through `next`, in their previous order.
    std::vector<qsizetype> first, last, next(size_t(entries.size()), -1);
    const auto same = [](const SortKey &a, const SortKey &b) {
        return a.done == b.done && a.hasDue == b.hasDue && a.dueMs == b.dueMs && a.title == b.title;
    };
    // Open addressing over group numbers: no allocation per entry.
    size_t tableSize = 16;
    while (tableSize < size_t(entries.size()) * 2)
        tableSize *= 2;
    std::vector<qsizetype> table(tableSize, -1);
    keys.reserve(size_t(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        SortKey key = sortKey(entries[i]);
        size_t slot =
            size_t(qHashMulti(0, key.done, key.hasDue, key.dueMs, key.title)) & (tableSize - 1);
        while (table[slot] >= 0 && !same(keys[size_t(table[slot])], key))
            slot = (slot + 1) & (tableSize - 1);
        if (table[slot] < 0) {
            table[slot] = qsizetype(keys.size());
            keys.push_back(std::move(key));
            first.push_back(i);
            last.push_back(i);
        } else {
            const size_t group = size_t(table[slot]);
            next[size_t(last[group])] = i;
            last[group] = i;
        }
    }
    std::vector<size_t> order(keys.size());
    std::iota(order.begin(), order.end(), size_t(0));
    stableSort(order, [&](size_t a, size_t b) { return comesBefore(keys[a], keys[b]); });
    QList<TaskItem> sorted;
    sorted.reserve(entries.size());
    for (size_t group : order) {
        for (qsizetype position = first[group]; position >= 0; position = next[size_t(position)])
            sorted.append(std::move(entries[position]));
    }
    entries = std::move(sorted);
}
