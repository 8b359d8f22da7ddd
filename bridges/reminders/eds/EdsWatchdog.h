#pragma once

#include <gio/gio.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

// Gives up on a call to the desktop's task service that has not answered in time. Some of
// EDS's calls wait for an answer without limit (opening a task list waits on the calendar
// factory for as long as it takes), so a frozen service would hold the caller for good. The
// session thread makes one call at a time: it arms the watchdog with a fresh GCancellable
// before the call and disarms it after; the watchdog's own thread cancels the call when the
// limit passes first, and GLib then ends it with G_IO_ERROR_CANCELLED.
class EdsWatchdog {
public:
    explicit EdsWatchdog(std::chrono::milliseconds limit);
    EdsWatchdog(const EdsWatchdog &) = delete;
    EdsWatchdog &operator=(const EdsWatchdog &) = delete;
    ~EdsWatchdog();

    // The cancellable for the call about to be made; owned by the watchdog until `disarm`.
    GCancellable *arm();
    // Ends the watch over the call; true when the limit had passed and the call was cancelled.
    bool disarm();

private:
    void watch();

    const std::chrono::milliseconds m_limit;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    GCancellable *m_call = nullptr; // the call being watched, if any
    unsigned m_generation = 0;      // counts the calls armed
    std::chrono::steady_clock::time_point m_deadline;
    bool m_expired = false;
    bool m_stopping = false;
    std::thread m_thread;
};
