#include "data/FileTarget.h"

#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

namespace {

FileError notRegular(const struct stat &status)
{
    return {QStringLiteral("不是普通文件"),
            QStringLiteral("file type %1, not a regular file").arg(status.st_mode & S_IFMT, 0, 8)};
}

} // namespace

std::variant<FileTarget, FileError> fileTarget(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat entry { };
    if (::lstat(name.constData(), &entry) != 0) {
        if (errno == ENOENT)
            return FileTarget{path, std::nullopt};
        return FileError::fromErrno(errno);
    }
    if (S_ISREG(entry.st_mode))
        return FileTarget{path, entry.st_mode & 07777};
    if (!S_ISLNK(entry.st_mode))
        return notRegular(entry);

    struct stat target { };
    if (::stat(name.constData(), &target) != 0) {
        if (errno == ENOENT)
            return FileError{QStringLiteral("符号链接指向的文件不存在"),
                             QStringLiteral("dangling symbolic link")};
        return FileError::fromErrno(errno);
    }
    if (!S_ISREG(target.st_mode))
        return notRegular(target);
    char *resolved = ::realpath(name.constData(), nullptr);
    if (!resolved)
        return FileError::fromErrno(errno);
    const QString real = QFile::decodeName(resolved);
    std::free(resolved);
    return FileTarget{real, target.st_mode & 07777};
}
