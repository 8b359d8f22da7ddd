#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>

// An exclusive lock on a lock file, shared with every process that keeps the same file. The
// kernel's flock(): it ends with the process that holds it, so a crashed writer never leaves a
// stale lock behind, and a waiter asks every millisecond or two, so a process that writes one
// change after another cannot starve a process waiting its turn (a lock that backs off to
// seconds between tries can be taken over and over by a busy window). The lock file exists only
// while the lock is held.
class FileLock {
public:
    // Waits up to `wait` for the lock. A lock file that cannot be opened (an unwritable folder)
    // or a holder that keeps it longer (a hung process) leave it not held; `held()` says so.
    FileLock(const QString &path, std::chrono::milliseconds wait);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool held() const { return m_held; }

private:
    QByteArray m_path;
    int m_fd = -1;
    bool m_held = false;
};
