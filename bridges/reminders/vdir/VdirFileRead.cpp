#include "bridges/reminders/vdir/VdirFileRead.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) { }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

QString tooLarge(qint64 limit)
{
    return QStringLiteral("larger than %1 bytes").arg(limit);
}

} // namespace

std::variant<QByteArray, QString> readFolderFile(const QString &path, qint64 limit)
{
    // Non-blocking, so opening a FIFO returns at once; the type is checked on what was opened,
    // not on the name, which another program may swap in between.
    const Descriptor fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0)
        return qt_error_string(errno);
    struct stat status { };
    if (::fstat(fd.get(), &status) != 0)
        return qt_error_string(errno);
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("not a regular file");
    if (status.st_size > limit)
        return tooLarge(limit);

    // The file may grow while it is read: one byte past the limit is enough to tell.
    QByteArray bytes(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > limit)
                return tooLarge(limit);
            bytes.resize(std::min<qsizetype>(bytes.size() * 2, limit + 1));
        }
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return qt_error_string(errno);
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(filled);
    return bytes;
}
