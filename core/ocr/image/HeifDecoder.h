#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// HEIC/HEIF photos, which Qt cannot read, through libheif.
namespace HeifDecoder {

// True when the first bytes of a file mark it as HEIF, whatever its name.
bool recognises(const QByteArray &header);

// The primary image of the file's bytes, rotated and mirrored as the file says and shrunk to
// ImageLoader::keptSize; null when it cannot be decoded or holds more than maximumPixels.
QImage decode(const QByteArray &bytes, const QString &path, qint64 maximumPixels);

} // namespace HeifDecoder
