// The desktop notification center: delivery through the notification server at the trigger
// time, the pending set in the state folder, missed requests, bad files and failed deliveries.
#include "bridges/notification_support.h"

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
    NotificationDesk desk(start, true);
    ASSERT_TRUE(desk.server->running());
    ManualClock &clock = desk.clock;
    const NotificationServerMock &server = *desk.server;
    desk.service.schedule(QUuid::createUuid(), "数学｜P12 1-6题", "3.15作业",
                          start.addSecs(10 * 60 + 25));
    desk.service.schedule(QUuid::createUuid(), "语文｜读<背影> & 写感想", "3.15作业",
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
    EXPECT_TRUE(QTest::qWaitFor([&] { return pendingRequests(desk.center).size() == 1; }, 5000));

    // The server reads bodies as markup: the entry title's "<" and "&" arrive as written.
    clock.jumpTo(start.addSecs(20 * 60));
    calls = server.waitForNotifyCalls(2);
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[1].body, "3.15作业：语文｜读&lt;背影&gt; &amp; 写感想");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !desk.center.hasPending(); }, 5000));
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

TEST(DesktopNotificationCenter, RequestTheServerDidNotTakeStaysAndIsShownWhenOneAnswers)
{
    NotificationDesk desk(start, false);
    desk.center.add(requestAt("slate-task-1", start.addSecs(60)));

    desk.clock.jumpTo(start.addSecs(60));
    QTest::qWait(500);
    EXPECT_EQ(identifiers(pendingRequests(desk.center)), QStringList{"slate-task-1"})
        << "not shown, not dropped";

    NotificationServerMock server(desk.bus);
    ASSERT_TRUE(server.running());
    desk.clock.jumpTo(start.addSecs(2 * 60));
    EXPECT_EQ(server.waitForNotifyCalls(1).size(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return pendingRequests(desk.center).isEmpty(); }, 5000));
}
