#pragma once

// The Reminders bridge's calls as the tests make them: started, waited for with the event loop
// running, and their results in a form that compares.
#include "bridges/reminders/RemindersService.h"
#include "bridges/reminders_support.h"

#include <gtest/gtest.h>

namespace reminders_test {

inline std::optional<Completion<WriteResult>> writeRaw(const RemindersService &service,
                                                       const QList<ReminderEntry> &entries,
                                                       const QString &list, bool dedupe = true)
{
    return await<WriteResult>([&](auto done) { service.writeRaw(entries, list, dedupe, done); });
}

// The counts of a successful write, or (-1, -1) for a failure.
inline std::pair<int, int> counts(const std::optional<Completion<WriteResult>> &done)
{
    if (!done || !std::holds_alternative<WriteCounts>(done->result))
        return {-1, -1};
    const WriteCounts &counts = std::get<WriteCounts>(done->result);
    return {counts.written, counts.skipped};
}

inline QList<ReminderRow> rows(const RemindersService &service, const QString &list)
{
    const auto done = await<QList<ReminderRow>>([&](auto reply) { service.rows(list, reply); });
    EXPECT_TRUE(done && done->onMainThread);
    return done ? done->result : QList<ReminderRow>();
}

inline QStringList titles(const QList<ReminderRow> &rows)
{
    QStringList titles;
    for (const ReminderRow &row : rows)
        titles.append(row.title);
    return titles;
}

inline std::optional<Completion<DeleteResult>>
deleteTitles(const RemindersService &service, const QStringList &titles, const QString &list)
{
    return await<DeleteResult>([&](auto done) { service.deleteTitles(titles, list, done); });
}

inline bool setCompleted(const RemindersService &service, const QString &id, bool completed)
{
    bool success = false;
    service.setCompleted(id, completed, [&](bool ok) { success = ok; });
    return success;
}

inline QString rowId(const RemindersService &service, const QString &list, const QString &title)
{
    for (const ReminderRow &row : rows(service, list)) {
        if (row.title == title)
            return row.id;
    }
    return {};
}

} // namespace reminders_test
