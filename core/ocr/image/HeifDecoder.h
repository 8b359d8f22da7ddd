#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// HEIC/HEIF photos, which Qt cannot read, through libheif.
namespace HeifDecoder {

// True when the first bytes of a file mark it as HEIF, whatever its name.
bool recognises(const QByteArray &header);

// The primary image, rotated and mirrored as the file says; null when it cannot be decoded or
// holds more than maximumPixels.
QImage decode(const QString &path, qint64 maximumPixels);

} // namespace HeifDecoder
