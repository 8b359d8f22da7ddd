#include "app/cli/CliIntake.h"

#include "app/cli/CliLog.h"
#include "app/cli/CliPaths.h"
#include "app/cli/DropFileMemory.h"

#include <QCryptographicHash>
#include <QFile>
#include <QScopeGuard>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace CliIntake {

namespace {

// A task is a few kilobytes; anything far larger is not one, and is not read into memory.
constexpr qint64 maxTaskFileBytes = 16 * 1024 * 1024;

struct TooLarge { };
using FileRead = std::variant<QByteArray, TooLarge>;

struct TaskFile {
    FileRead content;
    DropFileStamp stamp;
};

// The bytes of a regular file. A FIFO, device or folder is never opened for reading in a way
// that could wait for a writer: opened without blocking, then only read when it is a regular
// file.
std::optional<TaskFile> readTaskFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            qCDebug(lcCli) << "cannot open task file" << path << ":" << qt_error_string(errno);
        return std::nullopt;
    }
    const auto closeFd = qScopeGuard([fd] { ::close(fd); });
    struct stat status { };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        qCDebug(lcCli) << "task file" << path << "is not a regular file; not read";
        return std::nullopt;
    }
    DropFileStamp stamp;
    stamp.size = status.st_size;
    stamp.modifiedNs = qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
    if (status.st_size > maxTaskFileBytes) {
        qCDebug(lcCli) << "task file" << path << "has" << status.st_size << "bytes; not read";
        return TaskFile{TooLarge{}, stamp};
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly)) {
        qCDebug(lcCli) << "cannot read task file" << path << ":" << file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.read(maxTaskFileBytes + 1);
    // Grown past the limit since fstat looked.
    if (bytes.size() > maxTaskFileBytes)
        return TaskFile{TooLarge{}, stamp};
    stamp.sha256 = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return TaskFile{bytes, stamp};
}

std::optional<Found> decoded(const FileRead &read, const QString &path)
{
    if (std::holds_alternative<TooLarge>(read))
        return Refusal{QStringLiteral("ERROR: 任务文件超过 16 MiB，未读取：%1").arg(path)};
    if (std::optional<CliTask> task = CliTask::decode(std::get<QByteArray>(read)))
        return *task;
    qCDebug(lcCli) << "task file" << path << "does not decode as a task";
    return std::nullopt;
}

std::optional<Found> taskFromDropFile()
{
    const QString path = CliPaths::dropFile();
    const std::optional<TaskFile> file = readTaskFile(path);
    if (!file)
        return std::nullopt;
    const bool ran = DropFileMemory::alreadyRan(file->stamp);
    // Consumed whether or not it decodes, so the same task never runs twice; one that stays
    // (a read-only tools folder) is remembered instead.
    if (!QFile::remove(path)) {
        qCDebug(lcCli) << "cannot remove the drop file" << path;
        if (!ran)
            DropFileMemory::remember(file->stamp);
    }
    if (ran) {
        qCDebug(lcCli) << "the drop file" << path << "already ran; passed over";
        return std::nullopt;
    }
    return decoded(file->content, path);
}

std::optional<Found> taskFromFlags(const QStringList &arguments)
{
    if (arguments.size() < 3) {
        if (arguments.size() == 2 && arguments.at(1).startsWith(QLatin1String("--")))
            qCDebug(lcCli) << "flag" << arguments.at(1) << "without a value is no task";
        return std::nullopt;
    }
    const QString &flag = arguments.at(1);
    const QString &value = arguments.at(2);
    if (flag == QLatin1String("--ocr")) {
        CliTask task;
        task.action = QStringLiteral("ocr");
        task.path = value;
        return task;
    }
    if (flag == QLatin1String("--dump")) {
        CliTask task;
        task.action = QStringLiteral("dump");
        task.list = value;
        return task;
    }
    if (flag == QLatin1String("--write")) {
        const std::optional<TaskFile> file = readTaskFile(value);
        return file ? decoded(file->content, value) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<Found> takeTask(const QStringList &arguments)
{
    if (std::optional<Found> found = taskFromDropFile())
        return found;
    return taskFromFlags(arguments);
}

} // namespace CliIntake
