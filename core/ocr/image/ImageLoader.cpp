#include "core/ocr/image/ImageLoader.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/RegularFile.h"
#include "core/ocr/image/HeifDecoder.h"
#include "core/ocr/image/PngDecoder.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <optional>

namespace {

// Qt refuses images over 256 MB by default. Most formats decode at the kept size, but an
// interlaced PNG or a deep TIFF decodes whole before it is scaled; the pixel limit guards this one.
constexpr int allocationLimitMegabytes = 1024;

// A HEIF file is decoded from memory: a phone's photo is a few megabytes, one of a hundred
// megapixels some tens.
constexpr qint64 maximumHeifBytes = 256 * 1024 * 1024;

bool tooLarge(const QSize &size, const QString &path)
{
    if (qint64(size.width()) * size.height() <= ImageLoader::maximumPixels)
        return false;
    qCDebug(lcOcr) << path << "refused: it holds" << size << "pixels";
    return true;
}

// At 8 bits per channel and the kept size, for the readers that gave more.
QImage kept(QImage image)
{
    const QSize size = ImageLoader::keptSize(image.size());
    if (size != image.size())
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (image.depth() > 32)
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_RGBA8888
                                                              : QImage::Format_RGB888);
    return image;
}

QImage readWithQt(QIODevice &device, const QString &path)
{
    static const bool limitRaised = [] {
        QImageReader::setAllocationLimit(allocationLimitMegabytes);
        return true;
    }();
    Q_UNUSED(limitRaised);

    QImageReader reader(&device);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        qCDebug(lcOcr) << path << "is not an image Qt reads:" << reader.errorString();
        return {};
    }
    if (tooLarge(size, path))
        return {};
    // JPEG (through libjpeg's own reduction) and 8-bit PNG decode straight at this size, the
    // others are scaled after decoding. The size is the stored one, before turning upright; the
    // reduction is uniform, so it holds either way.
    if (ImageLoader::keptSize(size) != size)
        reader.setScaledSize(ImageLoader::keptSize(size));
    const QImage image = reader.read();
    if (image.isNull())
        qCDebug(lcOcr) << path << "does not decode:" << reader.errorString();
    return kept(image);
}

} // namespace

namespace ImageLoader {

QSize keptSize(const QSize &size)
{
    const int longer = std::max(size.width(), size.height());
    if (longer <= keptLongSide)
        return size;
    const double factor = double(keptLongSide) / longer;
    return QSize(std::max(1, qRound(size.width() * factor)),
                 std::max(1, qRound(size.height() * factor)));
}

QImage load(const QString &path)
{
    const RegularFile::Descriptor file = RegularFile::open(path);
    if (!file || file.size() == 0) {
        qCDebug(lcOcr) << path << "is missing, not a regular file or empty";
        return {};
    }
    QFile device;
    if (!device.open(file.fd(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        qCDebug(lcOcr) << path << "does not open:" << device.errorString();
        return {};
    }
    const QByteArray header = device.peek(64);
    if (HeifDecoder::recognises(header)) {
        const std::optional<QByteArray> bytes = RegularFile::readAll(file, maximumHeifBytes, path);
        return bytes ? HeifDecoder::decode(*bytes, path, maximumPixels) : QImage();
    }
    if (PngDecoder::isDeep(header)) {
        const QSize size = PngDecoder::size(header);
        if (size.isEmpty() || tooLarge(size, path))
            return {};
        return PngDecoder::decode(device, keptSize(size), path);
    }
    return readWithQt(device, path);
}

} // namespace ImageLoader
