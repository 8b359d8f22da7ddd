#pragma once

#include "bridges/notifications/NotificationCenter.h"

#include <QList>
#include <QTest>
#include <chrono>
#include <future>
#include <optional>

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
    (void)QTest::qWaitFor([&] { return answer.has_value(); }, 10000);
    return answer;
}
