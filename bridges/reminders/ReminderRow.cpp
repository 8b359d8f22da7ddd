#include "bridges/reminders/ReminderRow.h"

#include "data/DueTime.h"

#include <QTimeZone>
#include <algorithm>
#include <vector>

ReminderRow ReminderRow::fromItem(const ReminderItem &item)
{
    const ReminderFields &fields = item.fields;
    const std::optional<QDateTime> due = fields.due ? dueDate(*fields.due) : std::nullopt;
    return {item.id,
            fields.title.value_or(QString()),
            due,
            due && !fields.due->time,
            fields.completed,
            fields.notes};
}

std::optional<QDateTime> dueDate(const DueComponents &due)
{
    if (!due.date.isValid())
        return std::nullopt;
    const QTime time = due.time.value_or(QTime(0, 0));
    if (due.utc)
        return QDateTime(due.date, time, QTimeZone::utc());
    return wallClockTime(due.date, time);
}

namespace {

// What the rules look at, computed once per row instead of once per comparison.
struct SortKey {
    bool completed;
    std::optional<qint64> dueMs;
    QByteArray title; // NFC in UTF-8, whose byte order is code-point order
};

bool comesBefore(const SortKey &a, const SortKey &b)
{
    if (a.completed != b.completed)
        return !a.completed;
    if (a.dueMs && b.dueMs && *a.dueMs != *b.dueMs)
        return *a.dueMs < *b.dueMs;
    return a.title < b.title;
}

} // namespace

void sortRows(QList<ReminderRow> &rows)
{
    std::vector<SortKey> keys;
    keys.reserve(size_t(rows.size()));
    for (const ReminderRow &row : std::as_const(rows)) {
        keys.push_back({row.completed,
                        row.due ? std::optional(row.due->toMSecsSinceEpoch()) : std::nullopt,
                        row.title.normalized(QString::NormalizationForm_C).toUtf8()});
    }

    // Bottom-up merge sort of positions: it only moves positions between the two runs it merges,
    // so the result is a permutation for any rules, and a tie takes the left run first.
    const size_t count = keys.size();
    std::vector<size_t> order(count), merged(count);
    for (size_t i = 0; i < count; ++i)
        order[i] = i;
    for (size_t width = 1; width < count; width *= 2) {
        for (size_t low = 0; low < count; low += 2 * width) {
            const size_t middle = std::min(low + width, count),
                         high = std::min(low + 2 * width, count);
            size_t left = low, right = middle, out = low;
            while (left < middle && right < high)
                merged[out++] = comesBefore(keys[order[right]], keys[order[left]]) ? order[right++]
                                                                                   : order[left++];
            while (left < middle)
                merged[out++] = order[left++];
            while (right < high)
                merged[out++] = order[right++];
        }
        order.swap(merged);
    }

    QList<ReminderRow> sorted;
    sorted.reserve(rows.size());
    for (size_t position : order)
        sorted.append(std::move(rows[qsizetype(position)]));
    rows = std::move(sorted);
}
