#pragma once

#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

// Runs `work`. Should it still run after `patience`, the FIFO at `fifo` is opened for writing and
// closed again every tenth of a second until the work ends: a reader waiting on the FIFO then
// sees its end, so a test of code that must never wait on a FIFO fails instead of hanging.
// True when the FIFO had to be released.
inline bool releasedFromFifo(const QString &fifo, std::chrono::milliseconds patience,
                             const std::function<void()> &work)
{
    std::promise<void> finished;
    const std::future<void> done = finished.get_future();
    std::atomic<bool> released{false};
    std::thread watchdog([&] {
        if (done.wait_for(patience) == std::future_status::ready)
            return;
        released = true;
        do {
            const int fd =
                ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
        } while (done.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready);
    });
    work();
    finished.set_value();
    watchdog.join();
    return released;
}
