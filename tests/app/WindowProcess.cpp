#include "WindowProcess.h"

#include "support/TestPaths.h"

#include <QDBusServiceWatcher>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <csignal>

WindowProcess::WindowProcess(const TestSessionBus &bus, const QString &runtimeFolder,
                             const QString &workingFolder, const QStringList &arguments,
                             const QStringList &wrapper, const QProcessEnvironment &extra)
    : m_bus(bus)
{
    QProcessEnvironment environment = bus.environment();
    environment.insert("XDG_RUNTIME_DIR", runtimeFolder);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert(extra);
    m_process.setProcessEnvironment(environment);
    m_process.setWorkingDirectory(workingFolder);
    m_process.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    QStringList command = wrapper + QStringList{TestPaths::slatebook()} + arguments;
    const QString program = command.takeFirst();
    m_process.start(program, command);
    m_process.waitForStarted();
}

WindowProcess::~WindowProcess()
{
    m_process.kill();
    m_process.waitForFinished();
}

bool WindowProcess::waitForWindow(int timeoutMs)
{
    const QString name = QStringLiteral("org.slatebook.Slatebook");
    const auto holdsName = [&] {
        return m_bus.connection().interface()->isServiceRegistered(name).value();
    };
    // Watching before looking, so a name taken in between is not missed.
    QDBusServiceWatcher watcher(name, m_bus.connection(),
                                QDBusServiceWatcher::WatchForRegistration);
    QEventLoop loop;
    QObject::connect(&watcher, &QDBusServiceWatcher::serviceRegistered, &loop, &QEventLoop::quit);
    QObject::connect(&m_process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (m_process.state() == QProcess::Running && !holdsName())
        loop.exec();
    return m_process.state() == QProcess::Running && holdsName();
}

bool WindowProcess::waitForTaskEnd(int timeoutMs)
{
    return !waitForWindow(timeoutMs) && m_process.state() == QProcess::NotRunning &&
        m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

bool WindowProcess::terminate(int timeoutMs)
{
    // Never pid 0: that is the test's own process group.
    if (m_process.state() != QProcess::Running)
        return false;
    ::kill(pid_t(m_process.processId()), SIGTERM);
    return m_process.waitForFinished(timeoutMs) && m_process.exitStatus() == QProcess::NormalExit &&
        m_process.exitCode() == 0;
}

QByteArray WindowProcess::errorOutput()
{
    return m_errors += m_process.readAllStandardError();
}

QString makeRuntimeFolder(const QString &path)
{
    QDir().mkpath(path);
    QFile::setPermissions(path,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}
