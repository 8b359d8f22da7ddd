#include "core/ocr/ModelFiles.h"

#include <QDir>
#include <QFileInfo>

namespace ModelFiles {

bool complete(const QString &folder)
{
    const QDir dir(folder);
    for (const char *name : {detectionNetwork, recognitionNetwork, directionNetwork, dictionary}) {
        if (!QFileInfo(dir.filePath(QString::fromLatin1(name))).isFile())
            return false;
    }
    return true;
}

QString locateFolder()
{
    // /proc/self/exe works with or without a QCoreApplication, which the batch tools may lack.
    const QString executableDir = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).path();
    const QString installed = QDir::cleanPath(executableDir + QStringLiteral("/../share/slatebook/models"));
    if (complete(installed))
        return installed;
    return QStringLiteral(SLATEBOOK_MODEL_DIR);
}

} // namespace ModelFiles
