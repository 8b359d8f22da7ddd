#include "bridges/reminders/vdir/VdirBatch.h"

#include "bridges/reminders/RemindersLog.h"
#include "bridges/reminders/vdir/IcalTime.h"
#include "bridges/reminders/vdir/VdirErrors.h"
#include "bridges/reminders/vdir/VdirFileRead.h"
#include "bridges/reminders/vdir/VtodoWrite.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>
#include <QUuid>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

bool renameFile(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Flushes to disk with `sync` (fsync: the folder's entries; syncfs: its whole file system).
bool syncToDisk(const QString &folder, int (*sync)(int))
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    const bool synced = sync(fd) == 0;
    ::close(fd);
    return synced;
}

// The bytes in a hidden file beside the target; its path, or nothing.
std::optional<QString> writeHiddenCopy(const QString &target, const QByteArray &bytes,
                                       const std::optional<QFileDevice::Permissions> &permissions)
{
    QTemporaryFile file(folderOf(target) + QStringLiteral("/.slatebook-XXXXXX.tmp"));
    file.setAutoRemove(false);
    if (!file.open())
        return std::nullopt;
    const bool written = file.write(bytes) == bytes.size() && file.flush() &&
        (!permissions || file.setPermissions(*permissions));
    if (!written) {
        file.remove();
        return std::nullopt;
    }
    return file.fileName();
}

} // namespace

std::optional<ReminderError> VdirBatch::save(const ReminderItem &item)
{
    const QString folder = folderOf(item.location);
    if (!QFileInfo(folder).isDir())
        return VdirErrors::listMissing(folder);
    if (item.fields.due && (!item.stored || item.fields.due != item.stored->due) &&
        !writable(*item.fields.due))
        return VdirErrors::dueOutOfRange(item.location);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (!item.stored) {
        m_writes.append({item.location, newReminderFile(item, now), std::nullopt});
        return std::nullopt;
    }

    const auto current = readFolderFile(item.location, maxReminderFileBytes);
    if (const QString *problem = std::get_if<QString>(&current)) {
        qCDebug(lcReminders) << "cannot read" << item.location << "again:" << *problem;
        return VdirErrors::reminderChanged(item.location);
    }
    const auto changed = changedReminderFile(std::get<QByteArray>(current), item, now);
    if (const ReminderError *error = std::get_if<ReminderError>(&changed))
        return *error;
    m_writes.append(
        {item.location, std::get<QByteArray>(changed), QFile::permissions(item.location)});
    return std::nullopt;
}

std::optional<ReminderError> VdirBatch::remove(const ReminderItem &item)
{
    if (!QFileInfo::exists(item.location))
        return VdirErrors::reminderChanged(item.location);
    m_removals.append(item.location);
    return std::nullopt;
}

std::optional<ReminderError> VdirBatch::commit()
{
    QSet<QString> folders;
    for (const Write &write : std::as_const(m_writes))
        folders.insert(folderOf(write.path));
    for (const QString &path : std::as_const(m_removals))
        folders.insert(folderOf(path));

    // First everything that can fail, undone when something does.
    QList<std::pair<QString, QString>> written;  // hidden copy, target
    QList<std::pair<QString, QString>> setAside; // original, where it was moved
    const auto undo = [&] {
        for (const auto &[copy, target] : std::as_const(written))
            QFile::remove(copy);
        for (const auto &[original, aside] : std::as_const(setAside))
            renameFile(aside, original);
    };
    for (const Write &write : std::as_const(m_writes)) {
        const std::optional<QString> copy =
            writeHiddenCopy(write.path, write.bytes, write.permissions);
        if (!copy) {
            qCDebug(lcReminders) << "cannot write a copy beside" << write.path << "; batch undone";
            undo();
            return VdirErrors::cannotWrite(folderOf(write.path));
        }
        written.append({*copy, write.path});
    }
    // One flush of the file system for the whole batch: an fsync per file costs several
    // milliseconds each on an ordinary disk.
    if (!written.isEmpty() && !syncToDisk(folderOf(written.first().second), ::syncfs)) {
        qCDebug(lcReminders) << "cannot flush" << folderOf(written.first().second)
                             << "; batch undone";
        undo();
        return VdirErrors::cannotWrite(folderOf(written.first().second));
    }
    for (const QString &path : std::as_const(m_removals)) {
        const QString aside = folderOf(path) +
            QStringLiteral("/.slatebook-%1.removed")
                .arg(QUuid::createUuid().toString(QUuid::WithoutBraces));
        if (renameFile(path, aside)) {
            setAside.append({path, aside});
        } else if (errno != ENOENT) { // a file someone else removed meanwhile is gone as wanted
            const QString reason = qt_error_string(errno);
            qCDebug(lcReminders) << "cannot move" << path << "aside:" << reason << "; batch undone";
            undo();
            return VdirErrors::cannotRemove(path, reason);
        }
    }

    // Then the renames into place, which do not fail in a folder that took the copies.
    std::optional<ReminderError> failure;
    for (const auto &[copy, target] : std::as_const(written)) {
        if (!renameFile(copy, target)) {
            qCDebug(lcReminders) << "cannot rename" << copy << "to" << target << ":"
                                 << qt_error_string(errno);
            QFile::remove(copy);
            failure = VdirErrors::cannotWrite(target);
        }
    }
    for (const auto &[original, aside] : std::as_const(setAside)) {
        if (!QFile::remove(aside))
            qCDebug(lcReminders) << "cannot delete" << aside << "; removed at a later start";
    }
    for (const QString &folder : std::as_const(folders)) {
        if (!syncToDisk(folder, ::fsync))
            qCDebug(lcReminders) << "cannot flush folder" << folder;
    }
    m_writes.clear();
    m_removals.clear();
    return failure;
}
