#include "data/EntryOrder.h"

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

// Insertion sort of positions. An entry moves ahead of an earlier one only when the rules put
// it before that one, so entries the rules cannot tell apart keep their order even where the
// rules are not transitive, and the result is always a permutation. Lists arrive nearly sorted
// (a few new entries at the end), where this is close to linear.
template <typename Before>
std::vector<qsizetype> insertionSorted(qsizetype count, Before before)
{
    std::vector<qsizetype> order(static_cast<size_t>(count));
    for (size_t i = 0; i < order.size(); ++i) {
        const qsizetype moving = qsizetype(i);
        size_t at = i;
        for (; at > 0 && before(moving, order[at - 1]); --at)
            order[at] = order[at - 1];
        order[at] = moving;
    }
    return order;
}

} // namespace

void sortEntries(QList<TaskItem> &entries)
{
    std::vector<SortKey> keys;
    keys.reserve(size_t(entries.size()));
    for (const TaskItem &task : entries)
        keys.push_back(sortKey(task));
    const std::vector<qsizetype> order = insertionSorted(entries.size(), [&](qsizetype a, qsizetype b) {
        return comesBefore(keys[size_t(a)], keys[size_t(b)]);
    });
    QList<TaskItem> sorted;
    sorted.reserve(entries.size());
    for (qsizetype position : order)
        sorted.append(std::move(entries[position]));
    entries = std::move(sorted);
}
