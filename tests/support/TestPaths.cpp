#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <cstdio>
#include <cstdlib>

namespace {

// The first "test-paths.txt" above the running test program, as key=value lines.
QHash<QString, QString> readPaths()
{
    QDir folder = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).dir();
    do {
        QFile file(folder.filePath(QStringLiteral("test-paths.txt")));
        if (file.open(QIODevice::ReadOnly)) {
            QHash<QString, QString> paths;
            for (const QString &line :
                 QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                const qsizetype equals = line.indexOf(QLatin1Char('='));
                if (equals > 0)
                    paths.insert(line.left(equals), line.mid(equals + 1));
            }
            return paths;
        }
    } while (folder.cdUp());
    std::fprintf(stderr,
                 "test-paths.txt not found above the test program: run it from its build folder\n");
    std::abort();
}

QString path(const QString &key)
{
    static const QHash<QString, QString> paths = readPaths();
    return paths.value(key);
}

} // namespace

namespace TestPaths {

QString data(const QString &name)
{
    return path(QStringLiteral("data")) + QLatin1Char('/') + name;
}

QString slatebook()
{
    return path(QStringLiteral("slatebook"));
}

QString runAsyncProbe()
{
    return path(QStringLiteral("runasync_probe"));
}

} // namespace TestPaths
