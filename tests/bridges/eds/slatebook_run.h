#pragma once

// The built executable run on one task, the way the driving program runs it, with what the
// test changes in its environment; and the desktop's task service seen from the bus.
#include "bridges/reminders_support.h"
#include "support/TempHome.h"
#include "support/TestPaths.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QProcess>
#include <map>

namespace reminders_test {

struct SlatebookRun {
    bool exitedNormally = false; // neither crashed nor was killed
    int exitCode = -1;
    QString result; // the result file, empty when none was written
    qint64 milliseconds = 0;
};

// Runs slatebook on `task` as a drop file in `home`. Each entry of `environment` replaces that
// variable; an empty value removes it.
inline SlatebookRun runSlatebook(const TempHome &home, const QByteArray &task,
                                 const std::map<QString, QString> &environment = {})
{
    const QString result = home.toolsFolder() + "/cli_result.txt";
    QFile::remove(result);
    writeFile(home.toolsFolder() + "/pending.json", task);
    QProcessEnvironment changed = QProcessEnvironment::systemEnvironment();
    for (const auto &[name, value] : environment) {
        if (value.isEmpty())
            changed.remove(name);
        else
            changed.insert(name, value);
    }
    QProcess process;
    process.setProcessEnvironment(changed);
    QElapsedTimer clock;
    clock.start();
    process.start(TestPaths::slatebook(), {});
    process.waitForFinished(200000);
    return {process.exitStatus() == QProcess::NormalExit, process.exitCode(),
            QString::fromUtf8(readFile(result)), clock.elapsed()};
}

// The process behind EDS's calendar factory on the test's bus, 0 when none runs.
inline uint calendarFactoryPid()
{
    const QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    for (const QString &name : bus->registeredServiceNames().value()) {
        if (name.startsWith("org.gnome.evolution.dataserver.Calendar"))
            return bus->servicePid(name).value();
    }
    return 0;
}

} // namespace reminders_test
