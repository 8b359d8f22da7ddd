#pragma once

#include "bridges/notification_test_bus.h"

#include <QProcess>
#include <QString>
#include <QStringList>

// A run of the executable that may open its window: on the test bus, with a runtime folder of its
// own and the offscreen platform. `wrapper`, when given, is a command that ends by executing the
// program (so the process is the executable's own). Killed when the object goes.
class WindowProcess {
public:
    WindowProcess(const TestSessionBus &bus, const QString &runtimeFolder,
                  const QString &workingFolder, const QStringList &arguments = {},
                  const QStringList &wrapper = {}, const QProcessEnvironment &extra = {});
    ~WindowProcess();
    WindowProcess(const WindowProcess &) = delete;
    WindowProcess &operator=(const WindowProcess &) = delete;

    QProcess &process() { return m_process; }

    // True once the window process holds its bus name; false when the run ended first (it was a
    // task) or nothing came within the wait.
    bool waitForWindow(int timeoutMs = 30000);
    // True when the run ended by itself with status 0 without opening the window: it was a task.
    bool waitForTaskEnd(int timeoutMs = 30000);
    // Sends SIGTERM; true when the process then ended by itself, with status 0, within the wait.
    bool terminate(int timeoutMs);
    // What the process wrote on standard error so far.
    QByteArray errorOutput();

private:
    const TestSessionBus &m_bus;
    QProcess m_process;
    QByteArray m_errors;
};

// A runtime folder as the session has it: private to the user.
QString makeRuntimeFolder(const QString &path);
