#pragma once

#include "bridges/notifications/WallClock.h"

#include <QMutex>
#include <QMutexLocker>

// A wall clock the test sets by hand. Readable from any thread, as the center reads it.
class ManualClock : public WallClock {
public:
    explicit ManualClock(QDateTime now) : m_now(std::move(now)) { }

    QDateTime now() const override
    {
        const QMutexLocker locker(&m_mutex);
        return m_now;
    }

    // The clock jumps, as after a resume from sleep: waiting timers are told.
    void jumpTo(const QDateTime &now)
    {
        passTo(now);
        emit jumped();
    }

    // Time passes without word, as it does between two looks at the clock.
    void passTo(const QDateTime &now)
    {
        const QMutexLocker locker(&m_mutex);
        m_now = now;
    }

private:
    mutable QMutex m_mutex;
    QDateTime m_now;
};
