#include "core/ocr/image/RgbImage.h"

namespace {

// 255 (white) or 0 (black): the opposite of the mean brightness of what is drawn, each pixel
// weighted by its opacity. Premultiplied pixels already carry that weight.
int contrastingBackground(const QImage &premultiplied)
{
    double brightness = 0.0;
    double opacity = 0.0;
    for (int y = 0; y < premultiplied.height(); ++y) {
        const uchar *pixel = premultiplied.constScanLine(y);
        for (int x = 0; x < premultiplied.width(); ++x, pixel += 4) {
            brightness += 0.299 * pixel[0] + 0.587 * pixel[1] + 0.114 * pixel[2];
            opacity += pixel[3];
        }
    }
    return opacity > 0 && brightness / opacity > 0.5 ? 0 : 255;
}

} // namespace

RgbImage::RgbImage(const QImage &image)
{
    if (image.isNull())
        return;
    if (!image.hasAlphaChannel()) {
        storage_ = image.convertToFormat(QImage::Format_RGB888);
        if (!storage_.isNull())
            pixels_ = cv::Mat(storage_.height(), storage_.width(), CV_8UC3,
                              const_cast<uchar *>(storage_.constBits()), size_t(storage_.bytesPerLine()));
        return;
    }
    const QImage premultiplied = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    if (premultiplied.isNull())
        return;
    const int background = contrastingBackground(premultiplied);
    pixels_.create(premultiplied.height(), premultiplied.width(), CV_8UC3);
    for (int y = 0; y < pixels_.rows; ++y) {
        const uchar *in = premultiplied.constScanLine(y);
        uchar *out = pixels_.ptr<uchar>(y);
        for (int x = 0; x < pixels_.cols; ++x, in += 4, out += 3) {
            const int uncovered = (255 - in[3]) * background / 255;
            out[0] = uchar(in[0] + uncovered);
            out[1] = uchar(in[1] + uncovered);
            out[2] = uchar(in[2] + uncovered);
        }
    }
}
