#include "core/ocr/image/PngDecoder.h"

#include "core/ocr/OcrLog.h"

#include <QScopeGuard>

#include <png.h>

#include <climits>
#include <csetjmp>
#include <cstring>
#include <vector>

// libpng reports a broken file by longjmp: the functions that call it below hold only plain data,
// so the jump skips no destructor; buffers belong to their caller.

namespace {

constexpr unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

quint32 bigEndianAt(const QByteArray &bytes, int offset)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | quint8(bytes[offset + i]);
    return value;
}

void onError(png_structp png, png_const_charp message)
{
    qCDebug(lcOcr) << "PNG does not decode:" << message;
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp message)
{
    qCDebug(lcOcr) << "PNG decoder warning:" << message;
}

void readFromDevice(png_structp png, png_bytep data, size_t length)
{
    auto *device = static_cast<QIODevice *>(png_get_io_ptr(png));
    while (length > 0) {
        const qint64 got = device->read(reinterpret_cast<char *>(data), qint64(length));
        if (got <= 0)
            png_error(png, "the file ends before its image does");
        data += got;
        length -= size_t(got);
    }
}

// Reads the header and asks libpng for 8-bit RGB, with alpha when the file has transparency,
// whatever its colour type.
bool readHeader(png_structp png, png_infop info, bool *hasAlpha, png_uint_32 *width,
                png_uint_32 *height)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    *hasAlpha = (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0 ||
        png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_read_update_info(png, info);
    return png_get_interlace_type(png, info) == PNG_INTERLACE_NONE &&
        png_get_rowbytes(png, info) == size_t(*width) * (*hasAlpha ? 4 : 3);
}

struct Fold {
    size_t channels;
    png_uint_32 width;
    png_uint_32 height;
    quint32 outWidth;
    quint32 outHeight;
    png_bytep row;
    // The sums of the output row being filled, one per channel of each pixel.
    quint32 *sums;
    // The first input column of each output column, and the width after the last.
    const quint32 *firstColumn;
    uchar *out;
    qsizetype outStride;
};

// Each output pixel is the mean of the input pixels whose position maps into it.
bool readRows(png_structp png, const Fold &fold)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    quint32 outY = 0;
    quint32 rowsSummed = 0;
    for (png_uint_32 y = 0; y < fold.height; ++y) {
        png_read_row(png, fold.row, nullptr);
        for (quint32 x = 0; x < fold.outWidth; ++x) {
            quint32 *sum = fold.sums + size_t(x) * fold.channels;
            for (quint32 from = fold.firstColumn[x]; from < fold.firstColumn[x + 1]; ++from) {
                const png_byte *pixel = fold.row + size_t(from) * fold.channels;
                for (size_t c = 0; c < fold.channels; ++c)
                    sum[c] += pixel[c];
            }
        }
        ++rowsSummed;
        const auto nextOutY = quint32(quint64(y + 1) * fold.outHeight / fold.height);
        if (nextOutY == outY)
            continue;
        uchar *out = fold.out + qsizetype(outY) * fold.outStride;
        for (quint32 x = 0; x < fold.outWidth; ++x) {
            const quint32 count = (fold.firstColumn[x + 1] - fold.firstColumn[x]) * rowsSummed;
            for (size_t c = 0; c < fold.channels; ++c) {
                quint32 &sum = fold.sums[size_t(x) * fold.channels + c];
                out[size_t(x) * fold.channels + c] = uchar((sum + count / 2) / count);
                sum = 0;
            }
        }
        rowsSummed = 0;
        outY = nextOutY;
    }
    return true;
}

} // namespace

namespace PngDecoder {

bool isDeep(const QByteArray &header)
{
    // Signature, the IHDR chunk's length and type, width, height, bit depth, colour type,
    // compression, filter and interlace method.
    return header.size() >= 29 && std::memcmp(header.constData(), signature, 8) == 0 &&
        header.mid(12, 4) == "IHDR" && quint8(header[24]) == 16 && header[28] == 0;
}

QSize size(const QByteArray &header)
{
    const quint32 width = bigEndianAt(header, 16);
    const quint32 height = bigEndianAt(header, 20);
    if (width == 0 || height == 0 || width > quint32(INT_MAX) || height > quint32(INT_MAX))
        return {};
    return QSize(int(width), int(height));
}

QImage decode(QIODevice &device, const QSize &target, const QString &pathForLog)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const auto release =
        qScopeGuard([&png, &info] { png_destroy_read_struct(&png, &info, nullptr); });
    if (!info) {
        qCDebug(lcOcr) << "libpng could not start on" << pathForLog;
        return {};
    }
    png_set_read_fn(png, &device, readFromDevice);
    bool hasAlpha = false;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    if (!readHeader(png, info, &hasAlpha, &width, &height)) {
        qCDebug(lcOcr) << pathForLog << "has no PNG header libpng reads row by row";
        return {};
    }
    if (target.isEmpty() || quint32(target.width()) > width || quint32(target.height()) > height) {
        qCDebug(lcOcr) << pathForLog << "is" << width << "x" << height << "; not read at" << target;
        return {};
    }
    // RGB888 is what recognition reads, so an opaque image is used without another copy.
    QImage image(target, hasAlpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (image.isNull()) {
        qCDebug(lcOcr) << "no memory for the decoded PNG image of" << pathForLog;
        return {};
    }
    const size_t channels = hasAlpha ? 4 : 3;
    std::vector<png_byte> row(size_t(width) * channels);
    std::vector<quint32> sums(size_t(target.width()) * channels, 0);
    std::vector<quint32> firstColumn(size_t(target.width()) + 1);
    for (size_t x = 0; x < firstColumn.size(); ++x)
        firstColumn[x] =
            quint32((quint64(x) * width + quint64(target.width()) - 1) / quint64(target.width()));
    const Fold fold{.channels = channels,
                    .width = width,
                    .height = height,
                    .outWidth = quint32(target.width()),
                    .outHeight = quint32(target.height()),
                    .row = row.data(),
                    .sums = sums.data(),
                    .firstColumn = firstColumn.data(),
                    .out = image.bits(),
                    .outStride = image.bytesPerLine()};
    if (!readRows(png, fold))
        return {};
    return image;
}

} // namespace PngDecoder
