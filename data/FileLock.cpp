#include "data/FileLock.h"

#include "data/StoreLog.h"

#include <QElapsedTimer>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Whether `fd` is still the file at `path`: the holder before us removes the lock file while it
// holds it, so a lock taken on that removed file excludes nobody who opens the path afresh.
bool stillAtPath(int fd, const QByteArray &path)
{
    struct stat opened { };
    struct stat named { };
    return ::fstat(fd, &opened) == 0 && ::lstat(path.constData(), &named) == 0 &&
        opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

} // namespace

FileLock::FileLock(const QString &path, std::chrono::milliseconds wait)
    : m_path(QFile::encodeName(path))
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        // O_NONBLOCK: a FIFO put in the lock file's place must not hang the open.
        m_fd = ::open(m_path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK,
                      0600);
        if (m_fd < 0) {
            qCDebug(lcStore) << "cannot open the lock file" << path << ":" << std::strerror(errno);
            return;
        }
        while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || waited.elapsed() >= wait.count()) {
                qCDebug(lcStore) << "lock" << path << "not had after" << waited.elapsed()
                                 << "ms:" << std::strerror(errno);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (stillAtPath(m_fd, m_path)) {
            m_held = true;
            return;
        }
        ::close(m_fd);
        m_fd = -1;
    }
}

FileLock::~FileLock()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so the folder keeps only the files the program keeps; a waiter
    // that locked the removed file notices and opens the path again.
    if (m_held)
        ::unlink(m_path.constData());
    ::close(m_fd);
}
