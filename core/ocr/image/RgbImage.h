#pragma once

#include <QImage>
#include <opencv2/core.hpp>

// Opaque 8-bit RGB pixels as the networks read them, without a second copy of the image.
// Transparent areas are laid over a background that contrasts with what is opaque: white under
// dark drawing, black under light drawing, so white text on a transparent sticker or title still
// stands out. The colour stored in transparent pixels (often black) is never used.
class RgbImage {
public:
    explicit RgbImage(const QImage &image);

    // Empty when the image is null or could not be converted.
    const cv::Mat &pixels() const { return m_pixels; }

private:
    QImage m_storage;
    cv::Mat m_pixels;
};
