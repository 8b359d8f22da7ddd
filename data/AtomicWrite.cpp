#include "data/AtomicWrite.h"

#include "data/FileTarget.h"
#include "data/StoreLog.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// 0, or the errno of the write that failed.
int writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO; // a regular file never takes nothing without saying why
        data += written;
        size -= written;
    }
    return 0;
}

// The rename is only durable once the folder is synced. The new content is already in place
// when this fails (some file systems refuse to sync a folder), so it is traced, not reported.
void syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0)
        qCDebug(lcStore) << "cannot sync the folder" << folder << ":" << qt_error_string(errno);
    if (fd >= 0)
        ::close(fd);
}

std::optional<FileError> replace(const FileTarget &target, const QByteArray &bytes)
{
    const QByteArray path = QFile::encodeName(target.path);
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder =
        slash < 0 ? QByteArray(".") : path.left(std::max<qsizetype>(slash, 1));
    QByteArray temporary = folder + "/." + path.mid(slash + 1) + "-XXXXXX.tmp";
    // O_EXCL and mode 0600, under a name nobody else holds.
    int fd = ::mkostemps(temporary.data(), 4, O_CLOEXEC);
    if (fd < 0)
        return FileError::fromErrno(errno);

    const auto failed = [&](FileError error) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporary.constData());
        return error;
    };
    if (const int code = writeAll(fd, bytes.constData(), bytes.size()))
        return failed(FileError::fromErrno(code));
    // Blocks a file system allocates late show up here, not in write().
    if (::fsync(fd) != 0)
        return failed(FileError::fromErrno(errno));
    struct stat written { };
    if (::fstat(fd, &written) != 0)
        return failed(FileError::fromErrno(errno));
    if (written.st_size != bytes.size())
        return failed(
            {QStringLiteral("写入的内容不完整"),
             QStringLiteral("%1 of %2 bytes on disk").arg(written.st_size).arg(bytes.size())});
    if (target.mode && ::fchmod(fd, *target.mode) != 0)
        return failed(FileError::fromErrno(errno));
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return failed(FileError::fromErrno(errno));
    if (::rename(temporary.constData(), path.constData()) != 0)
        return failed(FileError::fromErrno(errno));
    syncFolder(folder);
    return std::nullopt;
}

} // namespace

bool writeFileAtomically(const QString &path, const QByteArray &bytes, FileError *error)
{
    std::variant<FileTarget, FileError> target = fileTarget(path);
    std::optional<FileError> failure = std::holds_alternative<FileError>(target)
        ? std::get<FileError>(target)
        : replace(std::get<FileTarget>(target), bytes);
    if (failure && error)
        *error = std::move(*failure);
    return !failure;
}
