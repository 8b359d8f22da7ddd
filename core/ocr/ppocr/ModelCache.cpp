#include "core/ocr/ppocr/ModelCache.h"

#include "core/ocr/OcrLog.h"

#include <onnxruntime_cxx_api.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>

#include <cstdio>

namespace {

// A part older than this was left by a process that died while writing it.
constexpr qint64 abandonedPartSeconds = 600;

// The instruction sets the optimised layout was chosen for; read once per process.
const QByteArray &processorFlags()
{
    static const QByteArray flags = [] {
        QFile info(QStringLiteral("/proc/cpuinfo"));
        if (info.open(QIODevice::ReadOnly)) {
            while (!info.atEnd()) {
                const QByteArray line = info.readLine();
                if (line.startsWith("flags"))
                    return line.trimmed();
            }
        }
        return QByteArray("unknown");
    }();
    return flags;
}

// Blake2b was the fastest of Qt's hashes on the networks (about 15 ms for all three).
QByteArray checksum(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Blake2b_256);
    if (!hash.addData(&file))
        return {};
    return hash.result().toHex().left(24);
}

} // namespace

namespace ModelCache {

QString folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
        QStringLiteral("/slatebook");
}

QString entryFor(const QString &networkPath)
{
    const QByteArray sum = checksum(networkPath);
    if (sum.isEmpty())
        return {};
    const QByteArray processor =
        QCryptographicHash::hash(processorFlags(), QCryptographicHash::Blake2b_256).toHex().left(8);
    // One folder per network, so the entries of its earlier versions are easy to find.
    return folder() + QLatin1Char('/') + QFileInfo(networkPath).completeBaseName() +
        QLatin1Char('/') + QString::fromLatin1(sum) + QStringLiteral("-ort") +
        QString::fromStdString(Ort::GetVersionString()) + QLatin1Char('-') +
        QString::fromLatin1(processor) + QStringLiteral(".onnx");
}

QString partFor(const QString &entry)
{
    return entry + QLatin1Char('.') + QUuid::createUuid().toString(QUuid::Id128) +
        QStringLiteral(".part");
}

bool publish(const QString &part, const QString &entry)
{
    // rename(2) replaces an entry another process published meanwhile; both were built alike.
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(entry).constData()) !=
        0) {
        qCDebug(lcOcr) << "optimised network not cached:" << entry;
        QFile::remove(part);
        return false;
    }
    const QFileInfo published(entry);
    const QDateTime abandoned = QDateTime::currentDateTimeUtc().addSecs(-abandonedPartSeconds);
    const QFileInfoList siblings = published.dir().entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo &sibling : siblings) {
        if (sibling.fileName() == published.fileName())
            continue;
        const bool part = sibling.fileName().endsWith(QStringLiteral(".part"));
        if (!part || sibling.lastModified().toUTC() < abandoned) {
            qCDebug(lcOcr) << "removed stale cache file" << sibling.fileName();
            QFile::remove(sibling.filePath());
        }
    }
    return true;
}

} // namespace ModelCache
