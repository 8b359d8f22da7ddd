#pragma once

#include "bridges/notification_test_bus.h"

#include <QDBusConnection>

// This process's session bus is a private one, so no real portal answers and tests running
// side by side never meet each other's portal. Qt connects to the session bus on first use, so
// the address must be set before anything in the process has used it.
class PrivateSessionBus {
public:
    PrivateSessionBus()
        : m_sessionBusWasInUse(
              QDBusConnection(QStringLiteral("qt_default_session_bus")).isConnected())
    {
        if (!m_sessionBusWasInUse)
            qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus.address().toUtf8());
    }

    const TestSessionBus &bus() const { return m_bus; }
    bool usable() const { return !m_sessionBusWasInUse; }

private:
    TestSessionBus m_bus;
    bool m_sessionBusWasInUse;
};
