#pragma once

#include "bridges/dbusmock_calls.h"
#include "bridges/notification_test_bus.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QStringList>
#include <QVariantMap>

// A stand-in for the desktop's notification server on a test bus: python3-dbusmock's
// notification_daemon template, which answers like a real server and records every call.
class NotificationServerMock {
public:
    struct Notify {
        QString appName;
        uint replacesId = 0;
        QString appIcon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int expireTimeout = 0;
    };

    explicit NotificationServerMock(const TestSessionBus &bus) : m_bus(bus)
    {
        m_process.setProcessEnvironment(bus.environment());
        // The Debian package installs the module for the system's interpreter.
        m_process.start("/usr/bin/python3",
                        {"-m", "dbusmock", "--template", "notification_daemon"});
        m_process.waitForStarted();
        m_running = bus.waitForName("org.freedesktop.Notifications");
    }

    ~NotificationServerMock()
    {
        m_process.terminate();
        m_process.waitForFinished();
    }

    bool running() const { return m_running; }

    // Every Notify call so far, oldest first.
    QList<Notify> notifyCalls() const
    {
        QList<Notify> calls;
        for (const DbusMockCall &call :
             dbusMockCalls(m_bus.connection(), "org.freedesktop.Notifications",
                           "/org/freedesktop/Notifications")) {
            if (call.method == "Notify" && call.arguments.size() == 8)
                calls.append(notifyFrom(call.arguments));
        }
        return calls;
    }

    // Waits until at least `count` Notify calls arrived; all of them.
    QList<Notify> waitForNotifyCalls(int count, int timeoutMs = 10000) const
    {
        QList<Notify> calls;
        // The caller checks the count it got.
        (void)QTest::qWaitFor([&] { return (calls = notifyCalls()).size() >= count; }, timeoutMs);
        return calls;
    }

private:
    static Notify notifyFrom(const QVariantList &arguments)
    {
        Notify call;
        call.appName = arguments[0].toString();
        call.replacesId = arguments[1].toUInt();
        call.appIcon = arguments[2].toString();
        call.summary = arguments[3].toString();
        call.body = arguments[4].toString();
        call.actions = arguments[5].toStringList();
        call.hints = qdbus_cast<QVariantMap>(arguments[6]);
        call.expireTimeout = arguments[7].toInt();
        return call;
    }

    const TestSessionBus &m_bus;
    QProcess m_process;
    bool m_running = false;
};
