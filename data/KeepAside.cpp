#include "data/KeepAside.h"

#include "data/FileTarget.h"
#include "data/StoreLog.h"

#include <QDateTime>
#include <QFile>
#include <cerrno>
#include <unistd.h>

namespace {

// Gives the file the other name, never replacing a file there. A plain file is moved; the target
// of a link stays where the link expects it (only a rename over it is to come) and gets the
// other name too, as a hard link where the file system has them and as a copy elsewhere.
bool setAside(const QString &file, const QString &aside, bool linked)
{
    if (!linked)
        return QFile::rename(file, aside);
    return ::link(QFile::encodeName(file).constData(), QFile::encodeName(aside).constData()) == 0 ||
        (errno != EEXIST && QFile::copy(file, aside));
}

} // namespace

bool keepAside(const QString &path)
{
    const std::variant<FileTarget, FileError> target = fileTarget(path);
    if (const auto *error = std::get_if<FileError>(&target)) {
        qCDebug(lcStore) << "cannot move" << path << "aside:" << error->systemText;
        return false;
    }
    const QString &file = std::get<FileTarget>(target).path;
    if (!std::get<FileTarget>(target).mode)
        return true;
    const QString stamped = file + QStringLiteral(".unreadable-") +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    // Nothing is ever replaced, so two keep-asides in one second both survive.
    QString aside = stamped;
    const bool linked = file != path;
    for (int copy = 2; !setAside(file, aside, linked); ++copy) {
        if (!QFile::exists(aside)) {
            qCDebug(lcStore) << "cannot move" << file << "aside to" << aside;
            return false; // the rename failed for another reason (permissions, another device)
        }
        aside = stamped + QLatin1Char('-') + QString::number(copy);
    }
    qCDebug(lcStore) << "kept" << file << "aside as" << aside;
    return true;
}
