#pragma once

// The Reminders bridge's calls as the tests make them: started, waited for with the event loop
// running, and their results in a form that compares; files (local_data/TestFiles.h), the local
// clock and the folders the store keeps.
#include "bridges/reminders/RemindersService.h"
#include "local_data/TestFiles.h"
#include "support/LocalZone.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

namespace reminders_test {

// The .ics files of a folder, by name.
inline QStringList icsFiles(const QString &folder)
{
    return QDir(folder).entryList({"*.ics"}, QDir::Files, QDir::Name);
}

// Every entry of a folder, hidden ones included: what a commit may have left behind.
inline QStringList allEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

template <typename Result>
struct Completion {
    Result result;
    bool onMainThread;
};

// Starts an operation with a completion and runs the event loop until the completion has run
// (or 30 seconds have passed). `start` receives the completion to hand on.
template <typename Result, typename Start>
std::optional<Completion<Result>> await(Start start)
{
    std::optional<Completion<Result>> got;
    QEventLoop loop;
    start([&](Result result) {
        got = Completion<Result>{std::move(result), QThread::currentThread() == qApp->thread()};
        loop.quit();
    });
    if (!got) {
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return got;
}

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
