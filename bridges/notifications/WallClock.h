#pragma once

#include <QDateTime>
#include <QObject>

// The clock that triggers are measured against, and word of when it moved other than steadily.
class WallClock : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual QDateTime now() const = 0;

    // The desktop's clock, one for the whole process.
    static WallClock &system();

signals:
    // Time passed unseen, or the clock was set: whoever waits for a moment looks again at once.
    void jumped();
};

// The system clock. While the machine sleeps the monotonic clock behind QTimer stands still, so
// the session's resume (logind's PrepareForSleep(false) on the system bus) counts as a jump.
class SystemWallClock : public WallClock {
    Q_OBJECT

public:
    SystemWallClock();

    QDateTime now() const override { return QDateTime::currentDateTime(); }

private slots:
    void onPrepareForSleep(bool goingToSleep);
};
