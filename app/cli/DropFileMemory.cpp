#include "app/cli/DropFileMemory.h"

#include "app/cli/CliLog.h"
#include "bridges/notifications/StateFolder.h"
#include "data/AtomicWrite.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString memoryFile()
{
    return StateFolder::path() + QStringLiteral("/last-drop-file");
}

// One line: the SHA-256 in hex, the size in bytes, the modification time in nanoseconds.
QByteArray encode(const DropFileStamp &stamp)
{
    return stamp.sha256.toHex() + ' ' + QByteArray::number(stamp.size) + ' ' +
        QByteArray::number(stamp.modifiedNs) + '\n';
}

// The remembered line; nothing for a file that is missing, not a regular file (never waiting on a
// FIFO) or far larger than a line.
QByteArray rememberedLine(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    const auto closeFd = qScopeGuard([fd] { ::close(fd); });
    struct stat status { };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > 4096)
        return {};
    QFile file;
    return file.open(fd, QIODevice::ReadOnly) ? file.read(4096) : QByteArray();
}

} // namespace

namespace DropFileMemory {

bool alreadyRan(const DropFileStamp &stamp)
{
    return rememberedLine(memoryFile()) == encode(stamp);
}

void remember(const DropFileStamp &stamp)
{
    FileError error;
    if (!QDir().mkpath(StateFolder::path()) ||
        !writeFileAtomically(memoryFile(), encode(stamp), &error))
        qCDebug(lcCli) << "cannot remember the drop file run; it will run again:"
                       << error.systemText;
}

} // namespace DropFileMemory
