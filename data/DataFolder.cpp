#include "data/DataFolder.h"

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
    return QDir().mkpath(path());
}

} // namespace DataFolder
