#pragma once

// Helpers for the Reminders tests: files (local_data/TestFiles.h), the local clock, and waiting
// for completions with the event loop running.
#include "local_data/TestFiles.h"
#include "support/LocalZone.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
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

} // namespace reminders_test
