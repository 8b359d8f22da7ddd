#include "core/ocr/RegularFile.h"

#include "core/ocr/OcrLog.h"

#include <QFile>

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

namespace {

Descriptor regularOnly(int fd, const QString &nameForLog)
{
    if (fd < 0) {
        qCDebug(lcOcr) << nameForLog << "cannot be opened:" << qt_error_string(errno);
        return {};
    }
    struct stat status { };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        qCDebug(lcOcr) << nameForLog << "is not a regular file; not read";
        ::close(fd);
        return {};
    }
    return Descriptor(fd, qint64(status.st_size));
}

} // namespace

Descriptor::~Descriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

Descriptor::Descriptor(Descriptor &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_size(other.m_size)
{
}

Descriptor &Descriptor::operator=(Descriptor &&other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_size = other.m_size;
    }
    return *this;
}

Descriptor open(const QString &path)
{
    return regularOnly(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC), path);
}

Descriptor openIn(int folderFd, const QByteArray &name, Access access)
{
    const int mode = access == Access::Read ? O_RDONLY : O_RDWR;
    return regularOnly(
        ::openat(folderFd, name.constData(), mode | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW),
        QString::fromLocal8Bit(name));
}

std::optional<QByteArray> readAll(const Descriptor &file, qint64 maximumBytes,
                                  const QString &nameForLog)
{
    if (!file)
        return std::nullopt;
    if (file.size() > maximumBytes) {
        qCDebug(lcOcr) << nameForLog << "has" << file.size() << "bytes, over the" << maximumBytes
                       << "read at most; not read";
        return std::nullopt;
    }
    // One byte more than fstat gave, so a file that grows meanwhile is noticed.
    QByteArray bytes(file.size() + 1, Qt::Uninitialized);
    qint64 filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got =
            ::pread(file.fd(), bytes.data() + filled, size_t(bytes.size() - filled), off_t(filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            qCDebug(lcOcr) << nameForLog << "does not read:" << qt_error_string(errno);
            return std::nullopt;
        }
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > file.size()) {
        qCDebug(lcOcr) << nameForLog << "grew while it was read; not used";
        return std::nullopt;
    }
    bytes.truncate(filled);
    return bytes;
}

std::optional<QByteArray> readAll(const QString &path, qint64 maximumBytes)
{
    return readAll(open(path), maximumBytes, path);
}

} // namespace RegularFile
