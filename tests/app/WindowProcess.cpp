#include "WindowProcess.h"

#include "support/TestPaths.h"

#include <QDir>
#include <QTest>
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
    const auto holdsName = [this] {
        return m_bus.connection()
            .interface()
            ->isServiceRegistered("org.slatebook.Slatebook")
            .value();
    };
    return QTest::qWaitFor([&] { return m_process.state() != QProcess::Running || holdsName(); },
                           timeoutMs) &&
        m_process.state() == QProcess::Running && holdsName();
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
