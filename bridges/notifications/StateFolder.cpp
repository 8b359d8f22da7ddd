#include "bridges/notifications/StateFolder.h"

#include <QDir>

namespace StateFolder {

QString path()
{
    // Qt 6.4 has no standard location for XDG_STATE_HOME.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/Slatebook");
}

} // namespace StateFolder
