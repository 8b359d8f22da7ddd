#pragma once

#include "bridges/reminders/ReminderStore.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// One reminder read back from the Reminders store; `id` is unique.
struct ReminderRow {
    QString id;
    QString title;                // empty when the reminder has none
    std::optional<QDateTime> due; // absent when there are no due components or they form no date
    bool dueIsDay = false;        // the due names a day without a time: `due` is its start
    bool completed = false;
    std::optional<QString> notes;

    static ReminderRow fromItem(const ReminderItem &item);
};

// The date-time that due components stand for: a floating one on the user's current clock (read
// as RFC 5545 reads it when the clocks skip or repeat it), a day without a time at its start.
std::optional<QDateTime> dueDate(const DueComponents &due);

// Puts rows in the order `rows` hands them out. Row a comes before row b by the first rule that
// applies:
// 1. exactly one of them is completed: the open one first;
// 2. both have due dates that differ: the earlier one first;
// 3. otherwise the title that is smaller in code-point order of its NFC form first.
// Equal rows keep their relative order. With dated and undated rows mixed these rules are not a
// strict weak ordering, which std::sort and std::stable_sort require, so a merge sort of its
// own gives a well-defined, stable result.
void sortRows(QList<ReminderRow> &rows);
