#pragma once

#include <QImage>
#include <opencv2/core.hpp>

// Opaque 8-bit RGB pixels as the networks read them, without a second copy of the image.
// Transparent areas are laid over white, the way a viewer shows a screenshot with an alpha
// channel (its transparent pixels are often stored black).
class RgbImage {
public:
    explicit RgbImage(const QImage &image);

    // Empty when the image is null or could not be converted.
    const cv::Mat &pixels() const { return pixels_; }

private:
    QImage storage_;
    cv::Mat pixels_;
};
