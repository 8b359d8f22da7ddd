#pragma once

#include "core/ocr/ppocr/PpOcrSettings.h"

#include <QImage>
#include <QSize>
#include <QString>

// Reads an image file upright (EXIF orientation applied): JPEG, PNG, WebP, BMP, TIFF through
// Qt's readers, HEIC/HEIF through libheif, PNGs of 16 bits per channel through libpng. The image
// comes out at 8 bits per channel and no larger than recognition uses, shrunk while it is
// decoded where the format allows. Whatever the path names (a FIFO, a device, a folder, a broken
// file), a failure gives a null image at once.
namespace ImageLoader {

// Larger images are refused before any pixel memory is taken: no homework photo comes near it,
// and a forged header must not make the loader allocate gigabytes.
inline constexpr qint64 maximumPixels = 100'000'000;

// Recognition uses no more pixels than this on the longer side. Detection reads the image at
// det_limit_side_len and finds lines down to about smallestDetectedLine pixels tall there (the
// screenshot's lines on ever wider white canvases: found up to 6720 px wide, lost at 9216). At
// keptLongSide such a line is still smallestReadLine tall, half the recognition height, and reads
// with the same characters as from the whole canvas.
inline constexpr int smallestDetectedLine = 5;
inline constexpr int smallestReadLine = PpOcrSettings::rec_image_shape[1] / 2;
inline constexpr int keptLongSide =
    PpOcrSettings::det_limit_side_len * smallestReadLine / smallestDetectedLine;

// The size an image of `size` is kept at: proportions kept, the longer side at most keptLongSide.
QSize keptSize(const QSize &size);

QImage load(const QString &path);

} // namespace ImageLoader
