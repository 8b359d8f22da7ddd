#include "bridges/notifications/WallClock.h"

#include <QDBusConnection>

WallClock &WallClock::system()
{
    static SystemWallClock clock;
    return clock;
}

SystemWallClock::SystemWallClock()
{
    // Without logind (or a system bus) the timers' regular re-check still catches up.
    QDBusConnection::systemBus().connect(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
        SLOT(onPrepareForSleep(bool)));
}

void SystemWallClock::onPrepareForSleep(bool goingToSleep)
{
    if (!goingToSleep)
        emit jumped();
}
