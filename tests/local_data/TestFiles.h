#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

// Plain file access for checking what the stores leave on disk, and for writing files by hand.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// The files beside `name` that a keep-aside left: "<name>.unreadable-…".
inline QStringList keptAside(const QString &folder, const QString &name)
{
    return QDir(folder).entryList({name + ".unreadable-*"}, QDir::Files, QDir::Name);
}
