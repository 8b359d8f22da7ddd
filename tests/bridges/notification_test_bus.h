#pragma once

// A session bus of the test's own: a real dbus-daemon, so that tests running side by side never
// meet each other's well-known names, and nothing on it is started on demand. Header-only: the
// app tests use it too.

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

class TestSessionBus {
public:
    TestSessionBus()
    {
        QFile config(m_dir.filePath("bus.conf"));
        config.open(QIODevice::WriteOnly);
        config.write(
            R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)");
        config.close();
        m_daemon.start("dbus-daemon",
                       {"--config-file=" + config.fileName(), "--nofork", "--print-address=1"});
        m_daemon.waitForStarted();
        while (m_daemon.state() == QProcess::Running && !m_daemon.canReadLine())
            m_daemon.waitForReadyRead(5000);
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        m_connection = QDBusConnection::connectToBus(m_address, m_name);
    }

    ~TestSessionBus()
    {
        QDBusConnection::disconnectFromBus(m_name);
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }

    TestSessionBus(const TestSessionBus &) = delete;
    TestSessionBus &operator=(const TestSessionBus &) = delete;

    QString address() const { return m_address; }
    QDBusConnection connection() const { return m_connection; }

    // The environment of a process that is to use this bus as its session bus.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DBUS_SESSION_BUS_ADDRESS", m_address);
        return environment;
    }

    bool waitForName(const QString &name, int timeoutMs = 15000) const
    {
        return QTest::qWaitFor(
            [&] { return m_connection.interface()->isServiceRegistered(name).value(); }, timeoutMs);
    }

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    const QString m_name = "test-bus-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QDBusConnection m_connection{QString()};
};
