#include "core/ocr/image/RgbImage.h"

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
    pixels_.create(premultiplied.height(), premultiplied.width(), CV_8UC3);
    for (int y = 0; y < pixels_.rows; ++y) {
        const uchar *in = premultiplied.constScanLine(y);
        uchar *out = pixels_.ptr<uchar>(y);
        for (int x = 0; x < pixels_.cols; ++x, in += 4, out += 3) {
            const int uncovered = 255 - in[3];
            out[0] = uchar(in[0] + uncovered);
            out[1] = uchar(in[1] + uncovered);
            out[2] = uchar(in[2] + uncovered);
        }
    }
}
