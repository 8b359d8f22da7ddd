// One window process per user: later starts hand their image over and exit; command-line mode
// is not affected; a window that died does not block the next one.
#include "CliProcess.h"
#include "WindowProcess.h"
#include "support/TestPaths.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const QString busName = "org.slatebook.Slatebook";

} // namespace

TEST(SingleInstance, LaterStartsHandTheirImageToTheRunningWindowAndExit)
{
    TempHome home;
    TestSessionBus bus;
    const QString runtime = makeRuntimeFolder(home.path() + "/runtime");

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
