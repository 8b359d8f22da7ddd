#pragma once

// The notification tests' desk: a wall clock the test sets by hand, the real desktop center and
// the service over it on a test bus of their own, in a temporary home.
#include "bridges/notification_server_mock.h"
#include "bridges/notifications/DesktopNotificationCenter.h"
#include "bridges/notifications/NotificationService.h"
#include "bridges/notifications/StateFolder.h"
#include "bridges/notifications/WallClock.h"
#include "support/TempHome.h"

#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QTest>
#include <chrono>
#include <future>
#include <memory>
#include <optional>

// Readable from any thread, as the center reads it.
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

// The center's pending requests, waiting for its answer from the background thread.
inline QList<NotificationRequest> pendingRequests(NotificationCenter &center)
{
    auto answer = std::make_shared<std::promise<QList<NotificationRequest>>>();
    std::future<QList<NotificationRequest>> future = answer->get_future();
    center.getPending(
        [answer](QList<NotificationRequest> requests) { answer->set_value(std::move(requests)); });
    if (future.wait_for(std::chrono::seconds(10)) != std::future_status::ready)
        return {};
    return future.get();
}

// Serves the event loop until a callback that answers on the main thread has answered.
template <typename T>
std::optional<T> answerOnMainThread(const std::function<void(std::function<void(T)>)> &ask)
{
    std::optional<T> answer;
    ask([&answer](T value) { answer = std::move(value); });
    // No answer in time leaves nothing, which the caller checks.
    (void)QTest::qWaitFor([&answer] { return answer.has_value(); }, 10000);
    return answer;
}

// With a notification server from the start, or none until the test starts one.
struct NotificationDesk {
    NotificationDesk(const QDateTime &now, bool withServer)
        : server(withServer ? std::make_unique<NotificationServerMock>(bus) : nullptr), clock(now)
    {
    }

    TempHome home;
    TestSessionBus bus;
    std::unique_ptr<NotificationServerMock> server;
    ManualClock clock;
    DesktopNotificationCenter center{StateFolder::path(), bus.connection(), clock};
    NotificationService service{center, clock};
};
