#include "bridges/reminders/vdir/VdirLeftovers.h"

#include "bridges/reminders/RemindersLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Only leftovers untouched for a while go: another process may be in the middle of a change
// right now. The age is that of the last metadata change, which a rename (moving aside) makes.
constexpr qint64 staleAfterSeconds = 15 * 60;

void removeStaleIn(const QString &folder, const QDateTime &now)
{
    const QFileInfoList leftovers = QDir(folder).entryInfoList(
        {QStringLiteral(".slatebook-*")},
        QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo &leftover : leftovers) {
        const QString name = leftover.fileName();
        const bool ours = name.endsWith(QLatin1String(".tmp")) ||
            name.endsWith(QLatin1String(".removed")) ||
            name.startsWith(QLatin1String(".slatebook-list-"));
        if (!ours || leftover.metadataChangeTime().secsTo(now) < staleAfterSeconds)
            continue;
        const bool removed = leftover.isDir() ? QDir(leftover.filePath()).removeRecursively()
                                              : QFile::remove(leftover.filePath());
        qCDebug(lcReminders) << (removed ? "removed stale" : "cannot remove stale")
                             << leftover.filePath();
    }
}

} // namespace

void removeStaleLeftovers(const QString &root, const QDateTime &now)
{
    removeStaleIn(root, now);
    for (const QString &list : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        removeStaleIn(root + u'/' + list, now);
}
