// The window process ends within seconds of its event loop, whatever its thread pool still does.
// Here the recognition of a handed-over photo never returns: its thread is stopped from outside
// (as a debugger stops one thread), and the process is ended by SIGTERM, as a session ends it.
#include "WindowProcess.h"
#include "support/TempHome.h"
#include "support/TestPaths.h"

#include <QDBusMessage>
#include <QDir>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <gtest/gtest.h>
#include <sys/ptrace.h>
#include <sys/wait.h>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The pool thread of `pid` that used the processor most over half a second: the one recognising.
pid_t busyPoolThread(qint64 pid)
{
    const QString tasks = QString("/proc/%1/task/").arg(pid);
    const auto processorTimes = [&] {
        QMap<QString, qint64> times;
        for (const QString &tid : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (contents(tasks + tid + "/comm") == "Thread (pooled)\n")
                times[tid] = contents(tasks + tid + "/schedstat").split(' ').value(0).toLongLong();
        }
        return times;
    };
    const QMap<QString, qint64> before = processorTimes();
    QTest::qWait(500);
    const QMap<QString, qint64> after = processorTimes();
    QString busiest;
    for (auto it = after.begin(); it != after.end(); ++it) {
        if (busiest.isEmpty() ||
            it.value() - before.value(it.key()) > after.value(busiest) - before.value(busiest))
            busiest = it.key();
    }
    return busiest.toInt();
}

} // namespace

TEST(WindowExit, EndsWithinSecondsWithARecognitionThatNeverReturns)
{
    TempHome home;
    TestSessionBus bus;
    QProcessEnvironment logged;
    logged.insert("QT_LOGGING_RULES", "slatebook.app.debug=true");
    WindowProcess window(bus, makeRuntimeFolder(home.path() + "/runtime"), home.path(), {}, {},
                         logged);
    ASSERT_TRUE(window.waitForWindow());
    const auto pid = pid_t(window.process().processId());

    // A later start hands a photo over; its recognition starts by loading the networks.
    const QString name = "org.slatebook.Slatebook";
    QDBusMessage activate =
        QDBusMessage::createMethodCall(name, "/org/slatebook/Slatebook", name, "Activate");
    activate << TestPaths::data("03-print-photo.jpg");
    ASSERT_EQ(bus.connection().call(activate).type(), QDBusMessage::ReplyMessage);
    const pid_t recognition = busyPoolThread(pid);
    int status = 0;
    ASSERT_TRUE(recognition > 0 && ::ptrace(PTRACE_SEIZE, recognition, nullptr, nullptr) == 0 &&
                ::ptrace(PTRACE_INTERRUPT, recognition, nullptr, nullptr) == 0 &&
                ::waitpid(recognition, &status, __WALL) == recognition);
    const auto release =
        qScopeGuard([&] { ::ptrace(PTRACE_DETACH, recognition, nullptr, nullptr); });

    QElapsedTimer timer;
    timer.start();
    ::kill(pid, SIGTERM);
    // The process's end is reported only once its traced thread is reaped.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return ::waitpid(recognition, &status, __WALL | WNOHANG) == recognition &&
                (WIFEXITED(status) || WIFSIGNALED(status));
        },
        10000));
    EXPECT_TRUE(window.process().waitForFinished(10000));
    EXPECT_LT(timer.elapsed(), 8000) << "a grace of 2 s, then the end";
    EXPECT_EQ(window.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(window.process().exitCode(), 0);
    const QByteArray log = window.errorOutput();
    EXPECT_TRUE(log.contains("work still running") && log.contains("Thread (pooled) ("))
        << log.toStdString();
}
