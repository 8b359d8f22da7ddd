#include "app/CliIntake.h"

#include "app/CliPaths.h"

#include <QFile>

namespace CliIntake {

namespace {

// A task is a few kilobytes; anything far larger is not one, and is not read into memory.
constexpr qint64 maxTaskFileBytes = 16 * 1024 * 1024;

std::optional<QByteArray> readWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (file.size() > maxTaskFileBytes)
        return QByteArray();
    return file.read(maxTaskFileBytes + 1);
}

std::optional<CliTask> taskFromDropFile()
{
    const QString path = CliPaths::dropFile();
    const std::optional<QByteArray> contents = readWholeFile(path);
    if (!contents)
        return std::nullopt;
    // Consumed whether or not it decodes, so the same task never runs twice.
    QFile::remove(path);
    return CliTask::decode(*contents);
}

std::optional<CliTask> taskFromFlags(const QStringList &arguments)
{
    if (arguments.size() < 3)
        return std::nullopt;
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
        const std::optional<QByteArray> contents = readWholeFile(value);
        return contents ? CliTask::decode(*contents) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<CliTask> takeTask(const QStringList &arguments)
{
    if (std::optional<CliTask> task = taskFromDropFile())
        return task;
    return taskFromFlags(arguments);
}

} // namespace CliIntake
