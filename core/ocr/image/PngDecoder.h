#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QString>

// PNGs with 16 bits per channel, which Qt decodes whole into 64-bit pixels before it can scale
// them (800 MB for a hundred megapixels). Here each row comes out of libpng at 8 bits per channel
// and is folded into the smaller image at once, so only that image and one row are ever held.
namespace PngDecoder {

// True for a PNG with 16 bits per channel written row after row (not interlaced), judged from
// the file's first 29 bytes.
bool isDeep(const QByteArray &header);

// Its width and height as the header gives them.
QSize size(const QByteArray &header);

// Reads the PNG from the device's current position, each output pixel the mean of the pixels it
// covers, into an image of `target` (no larger than the file's). RGBA8888 when the file has
// transparency, else RGB888; null when it does not decode.
QImage decode(QIODevice &device, const QSize &target, const QString &pathForLog);

} // namespace PngDecoder
