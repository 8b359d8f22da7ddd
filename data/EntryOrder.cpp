#include "data/EntryOrder.h"

#include "core/StableSort.h"

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
    std::vector<SortKey> keys;
    keys.reserve(size_t(entries.size()));
    for (const TaskItem &task : entries)
        keys.push_back(sortKey(task));
    std::vector<qsizetype> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    stableSort(order, [&](qsizetype a, qsizetype b) { return comesBefore(keys[size_t(a)], keys[size_t(b)]); });
    QList<TaskItem> sorted;
    sorted.reserve(entries.size());
    for (qsizetype position : order)
        sorted.append(std::move(entries[position]));
    entries = std::move(sorted);
}
