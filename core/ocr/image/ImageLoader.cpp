#include "core/ocr/image/ImageLoader.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/image/HeifDecoder.h"

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
    if (!size.isValid() || size.isEmpty()) {
        qCDebug(lcOcr) << path << "is not an image Qt reads:" << reader.errorString();
        return {};
    }
    if (qint64(size.width()) * size.height() > ImageLoader::maximumPixels) {
        qCDebug(lcOcr) << path << "refused: it holds" << size << "pixels";
        return {};
    }
    const QImage image = reader.read();
    if (image.isNull())
        qCDebug(lcOcr) << path << "does not decode:" << reader.errorString();
    return image;
}

} // namespace

namespace ImageLoader {

QImage load(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0) {
        qCDebug(lcOcr) << path << "is missing, not a file or empty";
        return {};
    }
    if (looksLikeHeif(path))
        return HeifDecoder::decode(path, maximumPixels);
    return readWithQt(path);
}

} // namespace ImageLoader
