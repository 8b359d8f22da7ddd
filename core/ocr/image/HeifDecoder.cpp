#include "core/ocr/image/HeifDecoder.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/image/ImageLoader.h"

#include <libheif/heif.h>

#include <memory>

namespace {

struct ContextDeleter {
    void operator()(heif_context *context) const { heif_context_free(context); }
};
struct HandleDeleter {
    void operator()(heif_image_handle *handle) const { heif_image_handle_release(handle); }
};
struct ImageDeleter {
    void operator()(heif_image *image) const { heif_image_release(image); }
};

// True when libheif succeeded; otherwise leaves its reason in the log.
bool succeeded(const heif_error &error, const char *step, const QString &path)
{
    if (error.code == heif_error_Ok)
        return true;
    qCDebug(lcOcr) << path << "does not decode as HEIF:" << step
                   << (error.message ? error.message : "");
    return false;
}

} // namespace

namespace HeifDecoder {

bool recognises(const QByteArray &header)
{
    if (header.size() < 12)
        return false;
    const heif_filetype_result result = heif_check_filetype(
        reinterpret_cast<const uint8_t *>(header.constData()), int(header.size()));
    return result == heif_filetype_yes_supported || result == heif_filetype_yes_unsupported;
}

QImage decode(const QByteArray &bytes, const QString &path, qint64 maximumPixels)
{
    std::unique_ptr<heif_context, ContextDeleter> context(heif_context_alloc());
    if (!context) {
        qCDebug(lcOcr) << "libheif could not allocate a context for" << path;
        return {};
    }
    if (!succeeded(heif_context_read_from_memory_without_copy(context.get(), bytes.constData(),
                                                              size_t(bytes.size()), nullptr),
                   "read", path))
        return {};

    heif_image_handle *rawHandle = nullptr;
    if (!succeeded(heif_context_get_primary_image_handle(context.get(), &rawHandle),
                   "primary image", path))
        return {};
    std::unique_ptr<heif_image_handle, HandleDeleter> handle(rawHandle);
    const qint64 width = heif_image_handle_get_width(handle.get());
    const qint64 height = heif_image_handle_get_height(handle.get());
    if (width <= 0 || height <= 0 || width * height > maximumPixels) {
        qCDebug(lcOcr) << path << "refused: its primary image is" << width << "x" << height;
        return {};
    }

    heif_image *rawImage = nullptr;
    // No decoding options: libheif then applies the file's rotation, mirroring and cropping.
    if (!succeeded(heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB,
                                     heif_chroma_interleaved_RGB, nullptr),
                   "decode", path))
        return {};
    std::unique_ptr<heif_image, ImageDeleter> image(rawImage);

    const int decodedWidth = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int decodedHeight = heif_image_get_height(image.get(), heif_channel_interleaved);
    int stride = 0;
    const uint8_t *pixels =
        heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (!pixels || decodedWidth <= 0 || decodedHeight <= 0) {
        qCDebug(lcOcr) << path << "decodes without interleaved RGB pixels";
        return {};
    }
    // A view of libheif's pixels, copied once into the size the image is kept at.
    const QImage decoded(pixels, decodedWidth, decodedHeight, stride, QImage::Format_RGB888);
    const QSize kept = ImageLoader::keptSize(decoded.size());
    const QImage result = kept == decoded.size()
        ? decoded.copy()
        : decoded.scaled(kept, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (result.isNull())
        qCDebug(lcOcr) << "no memory for the decoded HEIF image of" << path;
    return result;
}

} // namespace HeifDecoder
