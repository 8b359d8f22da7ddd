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
        m_storage = image.convertToFormat(QImage::Format_RGB888);
        if (!m_storage.isNull())
            m_pixels = cv::Mat(m_storage.height(), m_storage.width(), CV_8UC3,
                               const_cast<uchar *>(m_storage.constBits()),
                               size_t(m_storage.bytesPerLine()));
        return;
    }
    const QImage premultiplied = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    if (premultiplied.isNull())
        return;
    const int background = contrastingBackground(premultiplied);
    m_pixels.create(premultiplied.height(), premultiplied.width(), CV_8UC3);
    for (int y = 0; y < m_pixels.rows; ++y) {
        const uchar *in = premultiplied.constScanLine(y);
        uchar *out = m_pixels.ptr<uchar>(y);
        for (int x = 0; x < m_pixels.cols; ++x, in += 4, out += 3) {
            const int uncovered = (255 - in[3]) * background / 255;
            out[0] = uchar(in[0] + uncovered);
            out[1] = uchar(in[1] + uncovered);
            out[2] = uchar(in[2] + uncovered);
        }
    }
}
