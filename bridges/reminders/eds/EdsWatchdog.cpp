#include "bridges/reminders/eds/EdsWatchdog.h"

EdsWatchdog::EdsWatchdog(std::chrono::milliseconds limit)
    : m_limit(limit), m_thread([this] { watch(); })
{
}

EdsWatchdog::~EdsWatchdog()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

GCancellable *EdsWatchdog::arm()
{
    GCancellable *call = g_cancellable_new();
    {
        const std::lock_guard lock(m_mutex);
        m_call = call;
        ++m_generation;
        m_deadline = std::chrono::steady_clock::now() + m_limit;
        m_expired = false;
    }
    m_changed.notify_all();
    return call;
}

bool EdsWatchdog::disarm()
{
    GCancellable *call = nullptr;
    bool expired = false;
    {
        const std::lock_guard lock(m_mutex);
        call = std::exchange(m_call, nullptr);
        expired = m_expired;
    }
    m_changed.notify_all();
    if (call)
        g_object_unref(call);
    return expired;
}

void EdsWatchdog::watch()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (!m_call || m_expired) {
            m_changed.wait(lock);
            continue;
        }
        const unsigned watched = m_generation;
        if (m_changed.wait_until(lock, m_deadline) == std::cv_status::timeout && m_call &&
            m_generation == watched && !m_expired) {
            m_expired = true;
            // Under the lock, so `disarm` cannot drop the cancellable meanwhile; cancelling
            // only flags the call, which the session thread then ends by itself.
            g_cancellable_cancel(m_call);
        }
    }
}
