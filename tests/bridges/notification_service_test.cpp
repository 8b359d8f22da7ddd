// The due-notification rules of NotificationService over the real desktop center, on a test
// session bus, with a notification server stand-in where one is needed.
#include "bridges/notification_support.h"
#include "data/DefaultsStore.h"

#include <gtest/gtest.h>

namespace {

const QDateTime noon(QDate(2026, 3, 15), QTime(12, 0), Qt::LocalTime);
const QUuid taskId("{0f8fad5b-d9cb-469f-a165-70867728950e}");

QDateTime at(int hour, int minute, int second = 0)
{
    return QDateTime(noon.date(), QTime(hour, minute, second), Qt::LocalTime);
}

CalendarTrigger triggerAt(const QDateTime &time)
{
    return {time.date().year(), time.date().month(), time.date().day(), time.time().hour(),
            time.time().minute()};
}

std::optional<NotificationRequest> requestWithId(const QList<NotificationRequest> &requests,
                                                 const QString &identifier)
{
    for (const NotificationRequest &request : requests) {
        if (request.identifier == identifier)
            return request;
    }
    return std::nullopt;
}

std::optional<int> countPending(NotificationService &service)
{
    return answerOnMainThread<int>(
        [&](std::function<void(int)> done) { service.pendingCount(std::move(done)); });
}

} // namespace

TEST(NotificationService, DueRequestsFollowTheLeadAndTheMinuteAndNeverLieInThePast)
{
    NotificationDesk desk(noon, false);
    NotificationService &service = desk.service;
    DesktopNotificationCenter &center = desk.center;
    service.setLeadSeconds(1800);
    EXPECT_EQ(service.leadSeconds(), 1800);
    service.schedule(taskId, "数学｜P12 1-6题", "3.15作业", at(21, 0));
    std::optional<NotificationRequest> request =
        requestWithId(pendingRequests(center), "slate-task-0F8FAD5B-D9CB-469F-A165-70867728950E");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->title, "作业快到期了");
    EXPECT_EQ(request->body, "3.15作业：数学｜P12 1-6题");
    EXPECT_TRUE(request->defaultSound);
    EXPECT_EQ(request->userInfo,
              (QMap<QString, QString>{{"taskID", "0F8FAD5B-D9CB-469F-A165-70867728950E"},
                                      {"list", "3.15作业"}}));
    EXPECT_EQ(std::get<CalendarTrigger>(request->trigger), triggerAt(at(20, 30)));

    // Scheduling the entry again replaces its request: one request, the newer content.
    service.setLeadSeconds(0);
    service.schedule(taskId, "数学｜P13", "3.15作业", at(21, 0, 45));
    QList<NotificationRequest> pending = pendingRequests(center);
    ASSERT_EQ(pending.size(), 1);
    EXPECT_EQ(pending[0].title, "作业到期提醒");
    EXPECT_EQ(pending[0].body, "3.15作业：数学｜P13");
    EXPECT_EQ(std::get<CalendarTrigger>(pending[0].trigger), triggerAt(at(21, 0)))
        << "seconds are dropped";

    // A fire time now or earlier gives no request.
    service.schedule(QUuid::createUuid(), "语文｜背诵", "3.15作业", noon);
    service.schedule(QUuid::createUuid(), "语文｜背诵", "3.15作业", at(11, 59));
    service.setLeadSeconds(3600);
    service.schedule(QUuid::createUuid(), "英语｜听写", "3.15作业", at(12, 59, 59));
    EXPECT_EQ(pendingRequests(center).size(), 1);

    // Cancelling an entry without a request changes nothing; cancelling the entry removes it.
    service.cancel(QUuid::createUuid());
    EXPECT_EQ(pendingRequests(center), pending);
    service.cancel(taskId);
    EXPECT_TRUE(pendingRequests(center).isEmpty());

    // Off: schedule does nothing. Both settings are kept for the next start.
    service.setEnabled(false);
    EXPECT_FALSE(service.enabled());
    service.schedule(taskId, "数学｜P13", "3.15作业", at(21, 0));
    EXPECT_TRUE(pendingRequests(center).isEmpty());
    EXPECT_EQ(DefaultsStore().value(Setting::NotifyOn), false);
    EXPECT_EQ(DefaultsStore().value(Setting::NotifyLead), 3600.0);
}

TEST(NotificationService, RescheduleClearsEverythingAndCountIgnoresTheTestNotification)
{
    NotificationDesk desk(noon, true); // the clock stands still: the test notification stays
    ASSERT_TRUE(desk.server->running());
    NotificationService &service = desk.service;
    DesktopNotificationCenter &center = desk.center;

    const QList<TaskStore::PendingTask> entries{
        {QUuid::createUuid(), "数学｜P12", at(21, 0), "3.15作业"},
        {QUuid::createUuid(), "语文｜背诵", at(11, 0), "3.15作业"}, // passed: no request
        {QUuid::createUuid(), "英语｜听写", at(22, 0), "3.16作业"},
    };
    service.reschedule(entries);
    service.sendTest();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pendingRequests(center).size() == 3; }, 10000));
    EXPECT_EQ(countPending(service), 2);

    service.setEnabled(false);
    service.reschedule(entries);
    EXPECT_TRUE(pendingRequests(center).isEmpty()) << "the test notification is removed as well";
    EXPECT_EQ(countPending(service), 0);

    service.setEnabled(true);
    service.reschedule(entries);
    EXPECT_EQ(countPending(service), 2);
    service.cancelAll();
    EXPECT_EQ(countPending(service), 0);
    EXPECT_TRUE(desk.server->notifyCalls().isEmpty());
}

TEST(NotificationService, StatusSaysAllowedOnlyWhileANotificationServerAnswers)
{
    NotificationDesk desk(noon, false);
    NotificationService &service = desk.service;
    EXPECT_EQ(service.statusText(), "未检查");
    EXPECT_TRUE(QTest::qWaitFor([&] { return service.statusText() == "未知"; }, 10000));

    // No server: refused, and the test notification is not added.
    const auto ask = [&](std::function<void(bool)> done) { service.request(std::move(done)); };
    EXPECT_EQ(answerOnMainThread<bool>(ask), false);
    service.sendTest();
    QTest::qWait(300);
    EXPECT_TRUE(pendingRequests(desk.center).isEmpty());

    // Asking again finds the server that has come up meanwhile.
    NotificationServerMock server(desk.bus);
    ASSERT_TRUE(server.running());
    EXPECT_EQ(answerOnMainThread<bool>(ask), true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return service.statusText() == "已允许"; }, 10000));
}

TEST(NotificationService, TestNotificationArrivesAfterItsThreeSeconds)
{
    NotificationDesk desk(noon, true);
    ASSERT_TRUE(desk.server->running());
    desk.service.sendTest();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pendingRequests(desk.center).size() == 1; }, 10000));
    desk.clock.jumpTo(noon.addMSecs(2999));
    QTest::qWait(300);
    EXPECT_TRUE(desk.server->notifyCalls().isEmpty()) << "never early";

    desk.clock.jumpTo(noon.addSecs(3));
    const QList<NotificationServerMock::Notify> calls = desk.server->waitForNotifyCalls(1);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].summary, "Slatebook");
    EXPECT_EQ(calls[0].body, "通知已开启，到期时会像这样提醒你");
    EXPECT_TRUE(QTest::qWaitFor([&] { return pendingRequests(desk.center).isEmpty(); }, 5000))
        << "shown, it leaves the pending set";
}
