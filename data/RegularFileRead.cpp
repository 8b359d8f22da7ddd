#include "data/RegularFileRead.h"

#include <QFile>
#include <QScopeGuard>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

RegularFileRead failure(RegularFileRead::Outcome outcome, QString why)
{
    RegularFileRead read;
    read.outcome = outcome;
    read.why = std::move(why);
    return read;
}

} // namespace

RegularFileRead readRegularFile(const QString &path, qint64 limit)
{
    using Outcome = RegularFileRead::Outcome;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // ENOTDIR: a file stands where a folder of the path should be, so nothing is there.
        return failure(errno == ENOENT || errno == ENOTDIR ? Outcome::Missing : Outcome::Failed,
                       qt_error_string(errno));
    }
    const auto closeFd = qScopeGuard([fd] { ::close(fd); });
    struct stat status { };
    if (::fstat(fd, &status) != 0)
        return failure(Outcome::Failed, qt_error_string(errno));
    if (!S_ISREG(status.st_mode))
        return failure(Outcome::NotRegular, QStringLiteral("not a regular file"));
    if (status.st_size > limit)
        return failure(Outcome::TooLarge, QStringLiteral("%1 bytes").arg(status.st_size));

    RegularFileRead read;
    read.outcome = Outcome::Read;
    read.bytes.resize(qsizetype(status.st_size) + 1);
    qsizetype filled = 0;
    for (;;) {
        // One byte more than the limit tells a file that grew past it since fstat looked.
        if (filled == read.bytes.size()) {
            if (filled > limit)
                return failure(Outcome::TooLarge, QStringLiteral("grew past %1 bytes").arg(limit));
            read.bytes.resize(std::min<qsizetype>(filled * 2 + 4096, limit + 1));
        }
        const ssize_t got =
            ::read(fd, read.bytes.data() + filled, size_t(read.bytes.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return failure(Outcome::Failed, qt_error_string(errno));
        }
        if (got == 0)
            break;
        filled += got;
    }
    read.bytes.truncate(filled);
    return read;
}
