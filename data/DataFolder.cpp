#include "data/DataFolder.h"

#include "data/StoreLog.h"

#include <QDir>

namespace DataFolder {

QString path()
{
    // Read the environment directly: QStandardPaths caches nothing, but its AppDataLocation
    // depends on the application name, which command-line mode need not set.
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/Slatebook");
}

bool ensureExists()
{
    if (QDir().mkpath(path()))
        return true;
    qCDebug(lcStore) << "cannot create the data folder" << path();
    return false;
}

} // namespace DataFolder
