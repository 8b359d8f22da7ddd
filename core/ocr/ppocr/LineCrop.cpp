#include "core/ocr/ppocr/LineCrop.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace LineCrop {

cv::Mat upright(const cv::Mat &rgb, const TextQuad &box)
{
    const auto [topLeft, topRight, bottomRight, bottomLeft] = box;
    const int width =
        int(std::max(cv::norm(topLeft - topRight), cv::norm(bottomLeft - bottomRight)));
    const int height =
        int(std::max(cv::norm(topLeft - bottomLeft), cv::norm(topRight - bottomRight)));
    if (width < 4 || height < 4)
        return {};
    const cv::Point2f target[4] = {
        {0, 0}, {float(width), 0}, {float(width), float(height)}, {0, float(height)}};
    const cv::Mat transform = cv::getPerspectiveTransform(box.data(), target);
    cv::Mat strip;
    cv::warpPerspective(rgb, strip, transform, cv::Size(width, height), cv::INTER_CUBIC,
                        cv::BORDER_REPLICATE);
    if (height >= 1.5 * width)
        cv::rotate(strip, strip, cv::ROTATE_90_COUNTERCLOCKWISE);
    return strip;
}

cv::Mat atHeight(const cv::Mat &strip, int height, int maximumWidth)
{
    const double proportional = std::ceil(double(height) * strip.cols / strip.rows);
    const int width = std::clamp(int(proportional), 1, maximumWidth);
    cv::Mat scaled;
    cv::resize(strip, scaled, cv::Size(width, height), 0, 0, cv::INTER_LINEAR);
    return scaled;
}

} // namespace LineCrop
