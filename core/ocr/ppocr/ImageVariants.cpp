#include "core/ocr/ppocr/ImageVariants.h"

#include "core/ocr/ppocr/EdgePadding.h"
#include "core/ocr/ppocr/PpOcrSettings.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace ImageVariants {

cv::Mat turned(const cv::Mat &rgb, double degrees)
{
    // A border of the background as wide as the image's diagonal needs around it, so that the
    // corners the turn brings in are background, not black.
    const int diagonal = int(std::ceil(std::hypot(rgb.cols, rgb.rows)));
    const int margin = (diagonal - std::min(rgb.cols, rgb.rows)) / 2 + 1;
    const cv::Mat padded = EdgePadding::padded(rgb, margin);
    const cv::Point2f centre(padded.cols / 2.0f, padded.rows / 2.0f);
    cv::Mat rotation = cv::getRotationMatrix2D(centre, degrees, 1.0);
    // Only the part the turned image covers is kept.
    const cv::Rect2f covered =
        cv::RotatedRect(centre, cv::Size2f(float(rgb.cols), float(rgb.rows)), float(-degrees))
            .boundingRect2f();
    rotation.at<double>(0, 2) -= covered.x;
    rotation.at<double>(1, 2) -= covered.y;
    cv::Mat result;
    cv::warpAffine(padded, result, rotation,
                   cv::Size(int(std::ceil(covered.width)), int(std::ceil(covered.height))),
                   cv::INTER_LINEAR, cv::BORDER_REPLICATE);
    return result;
}

cv::Mat enlarged(const cv::Mat &rgb)
{
    const double longer = std::max(rgb.cols, rgb.rows);
    const double scale = std::min(2.0, PpOcrSettings::det_limit_side_len / longer);
    if (scale < 1.25)
        return {};
    cv::Mat result;
    cv::resize(rgb, result, cv::Size(), scale, scale, cv::INTER_CUBIC);
    return result;
}

cv::Mat framed(const cv::Mat &rgb)
{
    return EdgePadding::padded(rgb, std::max(rgb.cols, rgb.rows) / 2);
}

} // namespace ImageVariants
