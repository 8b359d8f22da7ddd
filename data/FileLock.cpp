#include "data/FileLock.h"

#include "data/StoreLog.h"

#include <QElapsedTimer>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

FileLock::FileLock(const QString &path, std::chrono::milliseconds wait)
{
    // O_NONBLOCK: a FIFO put in the lock file's place must not hang the open.
    m_fd = ::open(QFile::encodeName(path).constData(),
                  O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (m_fd < 0) {
        qCDebug(lcStore) << "cannot open the lock file" << path << ":" << std::strerror(errno);
        return;
    }
    QElapsedTimer waited;
    waited.start();
    while (!(m_held = ::flock(m_fd, LOCK_EX | LOCK_NB) == 0)) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || waited.elapsed() >= wait.count()) {
            qCDebug(lcStore) << "lock" << path << "not had after" << waited.elapsed()
                             << "ms:" << std::strerror(errno);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

FileLock::~FileLock()
{
    // Closing the descriptor lets go of the lock.
    if (m_fd >= 0)
        ::close(m_fd);
}
