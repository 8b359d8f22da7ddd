// Waiting for a wall-clock moment days or weeks ahead, and where a calendar trigger fires.
#include "bridges/notification_support.h"
#include "bridges/notifications/PendingRequest.h"
#include "bridges/notifications/WallClockTimer.h"
#include "support/LocalZone.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

const QDateTime start(QDate(2026, 3, 15), QTime(12, 0), Qt::UTC);

} // namespace

TEST(WallClockTimer, ArmsForAtMostAMinuteAndReportsNeitherEarlyNorLate)
{
    ManualClock clock(start);
    WallClockTimer timer(clock);
    QSignalSpy reached(&timer, &WallClockTimer::reached);

    // 40 days are 3.5 billion milliseconds, beyond a QTimer's int.
    timer.setTarget(start.addDays(40));
    EXPECT_EQ(timer.armedFor(), std::optional(1min));
    timer.setTarget(start.addSecs(5));
    EXPECT_EQ(timer.armedFor(), std::optional(5s));
    timer.setTarget(std::nullopt);
    EXPECT_EQ(timer.armedFor(), std::nullopt);

    // A clock that jumps (resume from sleep) is looked at again at once.
    timer.setTarget(start.addDays(40));
    clock.jumpTo(start.addDays(40).addMSecs(-1));
    EXPECT_EQ(reached.count(), 0);
    EXPECT_EQ(timer.armedFor(), std::optional(1ms));
    clock.jumpTo(start.addDays(41));
    EXPECT_EQ(reached.count(), 1);
    EXPECT_EQ(timer.armedFor(), std::nullopt);
}

TEST(WallClockTimer, CatchesUpWithAClockThatMovedWithoutWord)
{
    ManualClock clock(start);
    WallClockTimer timer(clock, 20ms);
    QSignalSpy reached(&timer, &WallClockTimer::reached);

    timer.setTarget(start.addDays(40));
    clock.passTo(start.addDays(40).addMSecs(-1));
    QTest::qWait(100);
    EXPECT_EQ(reached.count(), 0);
    clock.passTo(start.addDays(40));
    EXPECT_TRUE(QTest::qWaitFor([&] { return reached.count() == 1; }, 1000));
    QTest::qWait(100);
    EXPECT_EQ(reached.count(), 1) << "reported once";
}

TEST(PendingRequest, CalendarTriggerFiresAtTheStartOfItsLocalMinuteOrJustAfterAGap)
{
    const LocalZone berlin("Europe/Berlin");
    PendingRequest pending;
    pending.request.trigger = CalendarTrigger{2026, 3, 15, 20, 30};
    EXPECT_EQ(pending.fireTime(), QDateTime(QDate(2026, 3, 15), QTime(19, 30), Qt::UTC));
    // 02:30 does not exist on the night the clocks go forward: 03:00 summer time is the first
    // minute after.
    pending.request.trigger = CalendarTrigger{2026, 3, 29, 2, 30};
    EXPECT_EQ(pending.fireTime(), QDateTime(QDate(2026, 3, 29), QTime(1, 0), Qt::UTC));

    pending.request.trigger = IntervalTrigger{3};
    pending.addedAt = start;
    EXPECT_EQ(pending.fireTime(), start.addSecs(3));
}
