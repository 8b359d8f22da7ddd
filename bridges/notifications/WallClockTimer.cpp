#include "bridges/notifications/WallClockTimer.h"

#include <algorithm>

WallClockTimer::WallClockTimer(const WallClock &clock, std::chrono::milliseconds longestWait,
                               QObject *parent)
    : QObject(parent), m_clock(clock), m_longestWait(longestWait)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &WallClockTimer::check);
    connect(&m_clock, &WallClock::jumped, this, &WallClockTimer::check);
}

void WallClockTimer::setTarget(const std::optional<QDateTime> &target)
{
    m_target = target;
    arm();
}

std::optional<std::chrono::milliseconds> WallClockTimer::armedFor() const
{
    if (!m_timer.isActive())
        return std::nullopt;
    return m_timer.intervalAsDuration();
}

void WallClockTimer::arm()
{
    if (!m_target) {
        m_timer.stop();
        return;
    }
    const qint64 untilTarget = m_clock.now().msecsTo(*m_target);
    m_timer.start(std::clamp(std::chrono::milliseconds(untilTarget), std::chrono::milliseconds(0),
                             m_longestWait));
}

void WallClockTimer::check()
{
    if (!m_target)
        return;
    if (m_clock.now() < *m_target) {
        arm();
        return;
    }
    m_target.reset();
    m_timer.stop();
    emit reached();
}
