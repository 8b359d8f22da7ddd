#include "core/ocr/ImageLoader.h"

#include "core/ocr/HeifDecoder.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

// Qt refuses images over 256 MB by default; a 48-megapixel photo decodes to 192 MB and its
// upright copy needs as much again. The pixel limit above guards this one.
constexpr int allocationLimitMegabytes = 1024;

bool looksLikeHeif(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return HeifDecoder::recognises(file.read(64));
}

QImage readWithQt(const QString &path)
{
    static const bool limitRaised = [] {
        QImageReader::setAllocationLimit(allocationLimitMegabytes);
        return true;
    }();
    Q_UNUSED(limitRaised);

    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || qint64(size.width()) * size.height() > ImageLoader::maximumPixels)
        return {};
    return reader.read();
}

} // namespace

namespace ImageLoader {

QImage load(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0)
        return {};
    if (looksLikeHeif(path))
        return HeifDecoder::decode(path, maximumPixels);
    return readWithQt(path);
}

} // namespace ImageLoader
