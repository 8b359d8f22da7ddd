#pragma once

#include <QImage>
#include <QString>

// Reads an image file upright (EXIF orientation applied): JPEG, PNG, WebP, BMP, TIFF through
// Qt's readers, HEIC/HEIF through libheif. Whatever the file holds, a failure gives a null image.
namespace ImageLoader {

// Larger images are refused before any pixel memory is taken: no homework photo comes near it,
// and a forged header must not make the loader allocate gigabytes.
inline constexpr qint64 maximumPixels = 100'000'000;

QImage load(const QString &path);

} // namespace ImageLoader
