#include "data/KeepAside.h"

#include "data/StoreLog.h"

#include <QDateTime>
#include <QFile>

bool keepAside(const QString &path)
{
    if (!QFile::exists(path))
        return true;
    const QString stamped = path + QStringLiteral(".unreadable-") +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    // QFile::rename never replaces an existing file, so two keep-asides in one second both survive.
    QString target = stamped;
    for (int copy = 2; !QFile::rename(path, target); ++copy) {
        if (!QFile::exists(target)) {
            qCDebug(lcStore) << "cannot move" << path << "aside to" << target;
            return false; // the rename failed for another reason (permissions, another device)
        }
        target = stamped + QLatin1Char('-') + QString::number(copy);
    }
    qCDebug(lcStore) << "kept" << path << "aside as" << target;
    return true;
}
