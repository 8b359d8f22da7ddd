// The desktop notification center: delivery through the notification server at the trigger
// time, the pending set in the state folder, missed requests, bad files and failed deliveries.
#include "bridges/notification_manual_clock.h"
#include "bridges/notification_server_mock.h"
#include "bridges/notification_test_support.h"
#include "bridges/notifications/DesktopNotificationCenter.h"
#include "bridges/notifications/NotificationService.h"
#include "bridges/notifications/StateFolder.h"
#include "support/TempHome.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QDateTime start(QDate(2026, 3, 15), QTime(12, 0, 20), Qt::LocalTime);

NotificationRequest requestAt(const QString &identifier, const QDateTime &time)
{
    NotificationRequest request;
    request.identifier = identifier;
    request.title = "作业到期提醒";
    request.body = "3.15作业：" + identifier;
    request.defaultSound = true;
    request.trigger = CalendarTrigger{time.date().year(), time.date().month(), time.date().day(),
                                      time.time().hour(), time.time().minute()};
    return request;
}

QStringList identifiers(const QList<NotificationRequest> &requests)
{
    QStringList names;
    for (const NotificationRequest &request : requests)
        names.append(request.identifier);
    names.sort();
    return names;
}

} // namespace

TEST(DesktopNotificationCenter, DueRequestIsShownAtTheStartOfItsMinuteWithItsTextsAndHints)
{
    TempHome home;
    TestSessionBus bus;
    NotificationServerMock server(bus);
    ASSERT_TRUE(server.running());
    ManualClock clock(start);
    DesktopNotificationCenter center(StateFolder::path(), bus.connection(), clock);
    NotificationService service(center, clock);

    service.schedule(QUuid::createUuid(), "数学｜P12 1-6题", "3.15作业",
                     start.addSecs(10 * 60 + 25));
    service.schedule(QUuid::createUuid(), "语文｜读<背影> & 写感想", "3.15作业",
                     start.addSecs(20 * 60));
    const QDateTime minute = QDateTime(start.date(), QTime(12, 10), Qt::LocalTime);

    clock.jumpTo(minute.addMSecs(-1));
    QTest::qWait(300);
    EXPECT_TRUE(server.notifyCalls().isEmpty()) << "never early";

    clock.jumpTo(minute);
    QList<NotificationServerMock::Notify> calls = server.waitForNotifyCalls(1);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].appName, "Slatebook");
    EXPECT_EQ(calls[0].replacesId, 0u);
    EXPECT_EQ(calls[0].appIcon, "slatebook");
    EXPECT_EQ(calls[0].summary, "作业到期提醒");
    EXPECT_EQ(calls[0].body, "3.15作业：数学｜P12 1-6题");
    EXPECT_EQ(calls[0].hints,
              (QVariantMap{{"desktop-entry", "slatebook"}, {"sound-name", "message-new-instant"}}));
    EXPECT_EQ(calls[0].expireTimeout, -1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return pendingRequests(center).size() == 1; }, 5000));

    // The server reads bodies as markup: the entry title's "<" and "&" arrive as written.
    clock.jumpTo(start.addSecs(20 * 60));
    calls = server.waitForNotifyCalls(2);
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[1].body, "3.15作业：语文｜读&lt;背影&gt; &amp; 写感想");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !center.hasPending(); }, 5000));
}

TEST(DesktopNotificationCenter, PendingRequestsOutliveTheCenterAndMissedOnesArriveOnceAtStart)
{
    TempHome home;
    TestSessionBus bus;
    NotificationServerMock server(bus);
    ASSERT_TRUE(server.running());
    ManualClock clock(start);
    {
        DesktopNotificationCenter center(StateFolder::path(), bus.connection(), clock);
        center.add(requestAt("slate-task-soon", start.addSecs(3600)));
        center.add(requestAt("slate-task-later", start.addDays(2)));
        NotificationRequest test = requestAt("slate-test-1", start);
        test.trigger = IntervalTrigger{3};
        center.add(test);
    }
    EXPECT_TRUE(QFile::exists(StateFolder::path() + "/notifications.json"));
    {
        DesktopNotificationCenter center(StateFolder::path(), bus.connection(), clock);
        EXPECT_EQ(identifiers(pendingRequests(center)),
                  (QStringList{"slate-task-later", "slate-task-soon", "slate-test-1"}));
    }

    // Slatebook was not running when two of them were due.
    clock.passTo(start.addSecs(2 * 3600));
    {
        DesktopNotificationCenter center(StateFolder::path(), bus.connection(), clock);
        const QList<NotificationServerMock::Notify> calls = server.waitForNotifyCalls(2);
        QStringList bodies{calls.value(0).body, calls.value(1).body};
        bodies.sort();
        EXPECT_EQ(bodies, (QStringList{"3.15作业：slate-task-soon", "3.15作业：slate-test-1"}));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return identifiers(pendingRequests(center)) == QStringList{"slate-task-later"}; },
            5000));
    }
    {
        DesktopNotificationCenter center(StateFolder::path(), bus.connection(), clock);
        QTest::qWait(500);
        EXPECT_EQ(server.notifyCalls().size(), 2) << "a missed request arrives once";
    }
}

TEST(DesktopNotificationCenter, FortyDaysAheadArrivesAtItsMinuteThroughShortWaits)
{
    TempHome home;
    TestSessionBus bus;
    NotificationServerMock server(bus);
    ASSERT_TRUE(server.running());
    ManualClock clock(start);
    DesktopNotificationCenter center(StateFolder::path(), bus.connection(), clock);

    const QDateTime due = QDateTime(start.date().addDays(40), QTime(18, 0), Qt::LocalTime);
    center.add(requestAt("slate-task-far", due));
    clock.jumpTo(start.addDays(39)); // the machine slept for 39 days
    QTest::qWait(200);
    clock.jumpTo(due.addSecs(-1));
    QTest::qWait(200);
    EXPECT_TRUE(server.notifyCalls().isEmpty());
    clock.jumpTo(due);
    EXPECT_EQ(server.waitForNotifyCalls(1).size(), 1);
}

TEST(DesktopNotificationCenter, RequestTheServerDidNotTakeStaysAndIsShownWhenOneAnswers)
{
    TempHome home;
    TestSessionBus bus;
    ManualClock clock(start);
    DesktopNotificationCenter center(StateFolder::path(), bus.connection(), clock);
    center.add(requestAt("slate-task-1", start.addSecs(60)));

    clock.jumpTo(start.addSecs(60));
    QTest::qWait(500);
    EXPECT_EQ(identifiers(pendingRequests(center)), QStringList{"slate-task-1"})
        << "not shown, not dropped";

    NotificationServerMock server(bus);
    ASSERT_TRUE(server.running());
    clock.jumpTo(start.addSecs(2 * 60));
    EXPECT_EQ(server.waitForNotifyCalls(1).size(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return pendingRequests(center).isEmpty(); }, 5000));
}

TEST(DesktopNotificationCenter, AnotherWriterOfTheSameFolderLosesNothing)
{
    TempHome home;
    TestSessionBus bus;
    ManualClock clock(start);
    const QString folder = StateFolder::path();

    // Each change starts from the file, not from what the center holds.
    DesktopNotificationCenter center(folder, bus.connection(), clock);
    DesktopNotificationCenter other(folder, bus.connection(), clock);
    center.add(requestAt("slate-task-2", start.addDays(1)));
    other.add(requestAt("slate-task-3", start.addDays(1)));
    center.add(requestAt("slate-task-4", start.addDays(1)));
    other.removePending({"slate-task-2"});
    EXPECT_EQ(identifiers(pendingRequests(center)), (QStringList{"slate-task-3", "slate-task-4"}));
}
