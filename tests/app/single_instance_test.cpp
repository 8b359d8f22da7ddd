// One window process per user: later starts hand their image over and exit; command-line mode
// is not affected; a window that died does not block the next one.
#include "CliProcess.h"
#include "bridges/notification_test_bus.h"
#include "support/TestPaths.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const QString busName = "org.slatebook.Slatebook";

// A window run of the executable on the test bus, with a runtime folder of its own.
class WindowProcess {
public:
    WindowProcess(const TestSessionBus &bus, const QString &runtimeFolder,
                  const QString &workingFolder, const QStringList &arguments = {})
    {
        QProcessEnvironment environment = bus.environment();
        environment.insert("XDG_RUNTIME_DIR", runtimeFolder);
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        m_process.setProcessEnvironment(environment);
        m_process.setWorkingDirectory(workingFolder);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(TestPaths::slatebook(), arguments);
        m_process.waitForStarted();
    }

    ~WindowProcess()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    QProcess &process() { return m_process; }

private:
    QProcess m_process;
};

} // namespace

TEST(SingleInstance, LaterStartsHandTheirImageToTheRunningWindowAndExit)
{
    TempHome home;
    TestSessionBus bus;
    const QString runtime = home.path() + "/runtime";
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QProcess monitor;
    monitor.start(
        "dbus-monitor",
        {"--address", bus.address(), "type='method_call',interface='org.slatebook.Slatebook'"});
    ASSERT_TRUE(monitor.waitForStarted());

    auto first = std::make_unique<WindowProcess>(bus, runtime, home.path());
    ASSERT_TRUE(bus.waitForName(busName));

    // A relative path is handed over as the later start saw it: absolute.
    WindowProcess second(bus, runtime, home.path(), {"photo.jpg"});
    ASSERT_TRUE(second.process().waitForFinished(20000));
    EXPECT_EQ(second.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process().exitCode(), 0);
    QByteArray seen;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return (seen += monitor.readAll()).contains("member=Activate"); }, 10000));
    EXPECT_TRUE(seen.contains(QString("string \"%1/photo.jpg\"").arg(home.path()).toUtf8()))
        << seen.toStdString();
    EXPECT_EQ(first->process().state(), QProcess::Running);

    // Command-line mode runs beside the window.
    CliProcess cli(home);
    cli.createToolsFolder();
    const CliOutcome dump = cli.run({"--dump", "3.15作业"});
    EXPECT_TRUE(dump.finished);
    EXPECT_TRUE(dump.result.has_value());
    EXPECT_EQ(first->process().state(), QProcess::Running);

    // A window that died leaves its lock behind, which does not hold the next start back.
    first.reset();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !bus.connection().interface()->isServiceRegistered(busName).value(); },
        10000));
    WindowProcess third(bus, runtime, home.path());
    EXPECT_TRUE(bus.waitForName(busName));
    EXPECT_FALSE(third.process().waitForFinished(1000)) << "it is the window now";

    monitor.kill();
    monitor.waitForFinished();
}
