#include "core/ocr/ppocr/DbBoxes.h"

#include "core/ocr/ppocr/PpOcrSettings.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>

namespace {

using namespace PpOcrSettings;

TextQuad orderedCorners(const cv::RotatedRect &rect)
{
    std::array<cv::Point2f, 4> points;
    rect.points(points.data());
    std::sort(points.begin(), points.end(),
              [](const cv::Point2f &a, const cv::Point2f &b) { return a.x < b.x; });
    const auto [topLeft, bottomLeft] = points[0].y <= points[1].y ? std::pair(points[0], points[1])
                                                                  : std::pair(points[1], points[0]);
    const auto [topRight, bottomRight] = points[2].y <= points[3].y
        ? std::pair(points[2], points[3])
        : std::pair(points[3], points[2]);
    return {topLeft, topRight, bottomRight, bottomLeft};
}

// Mean probability inside the region's own outline, not its rectangle (PaddleOCR's "slow" score
// mode): the rectangle around a line bent by page curvature is mostly paper, and the line would
// score as noise.
double meanProbabilityInside(const cv::Mat &probability, std::vector<cv::Point> outline)
{
    const cv::Rect bounds =
        cv::boundingRect(outline) & cv::Rect(0, 0, probability.cols, probability.rows);
    if (bounds.empty())
        return 0.0;
    for (cv::Point &point : outline)
        point -= bounds.tl();
    cv::Mat mask = cv::Mat::zeros(bounds.size(), CV_8UC1);
    cv::fillPoly(mask, std::vector<std::vector<cv::Point>>{outline}, cv::Scalar(1));
    return cv::mean(probability(bounds), mask)[0];
}

// Offsetting a rectangle by d with round joins and taking the minimum-area rectangle of the
// result gives the same rectangle grown by d on every side.
cv::RotatedRect unclipped(const cv::RotatedRect &rect)
{
    const double width = rect.size.width;
    const double height = rect.size.height;
    const double distance = width * height * det_db_unclip_ratio / (2.0 * (width + height));
    return cv::RotatedRect(rect.center,
                           cv::Size2f(float(width + 2 * distance), float(height + 2 * distance)),
                           rect.angle);
}

} // namespace

namespace DbBoxes {

std::vector<TextQuad> fromProbabilityMap(const cv::Mat &probability)
{
    cv::Mat text;
    cv::compare(probability, det_db_thresh, text, cv::CMP_GT);
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(text, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);

    std::vector<TextQuad> boxes;
    for (size_t i = 0; i < std::min(contours.size(), max_candidates); ++i) {
        const cv::RotatedRect kernel = cv::minAreaRect(contours[i]);
        if (std::min(kernel.size.width, kernel.size.height) < min_size)
            continue;
        if (meanProbabilityInside(probability, contours[i]) < det_db_box_thresh)
            continue;
        const cv::RotatedRect line = unclipped(kernel);
        if (std::min(line.size.width, line.size.height) < minUnclippedSize)
            continue;
        boxes.push_back(orderedCorners(line));
    }
    return boxes;
}

} // namespace DbBoxes
