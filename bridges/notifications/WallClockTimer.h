#pragma once

#include "bridges/notifications/WallClock.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <optional>

// Reports once when the wall clock reaches a moment, however far ahead it lies, and never
// before. A QTimer alone would not do: its int milliseconds overflow after 24.8 days, and its
// monotonic clock stands still while the machine sleeps and ignores a clock that is set. So the
// timer is armed for at most `longestWait`, and every time it runs out, or the clock jumps, the
// wall clock is looked at again.
class WallClockTimer : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds defaultLongestWait = std::chrono::minutes(1);

    explicit WallClockTimer(const WallClock &clock,
                            std::chrono::milliseconds longestWait = defaultLongestWait,
                            QObject *parent = nullptr);

    // The moment to wait for (a past one is reported as soon as the event loop runs), or nothing.
    void setTarget(const std::optional<QDateTime> &target);

    // How far ahead the timer is armed now; nothing while there is no target.
    std::optional<std::chrono::milliseconds> armedFor() const;

signals:
    void reached();

private:
    void arm();
    void check();

    const WallClock &m_clock;
    const std::chrono::milliseconds m_longestWait;
    std::optional<QDateTime> m_target;
    QTimer m_timer;
};
