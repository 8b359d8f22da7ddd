#include "core/ocr/ppocr/ModelFiles.h"

#include <QDir>
#include <QFileInfo>

namespace ModelFiles {

namespace {

// The models the build fetched belong to the build tree: an installed copy of the executable that
// reached for them would hide a package without models and depend on the builder's cache.
bool runsFromBuildTree(const QString &executableDir)
{
    const QString buildDir = QFileInfo(QStringLiteral(SLATEBOOK_BUILD_DIR)).canonicalFilePath();
    return !buildDir.isEmpty() &&
        (executableDir + QLatin1Char('/')).startsWith(buildDir + QLatin1Char('/'));
}

} // namespace

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
    // /proc/self/exe works with or without a QCoreApplication, which the batch tools may lack; the
    // kernel gives it with symbolic links resolved.
    const QString executableDir =
        QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).path();
    const QString installed =
        QDir::cleanPath(executableDir + QStringLiteral("/../share/slatebook/models"));
    if (complete(installed) || !runsFromBuildTree(executableDir))
        return installed;
    return QStringLiteral(SLATEBOOK_MODEL_DIR);
}

} // namespace ModelFiles
