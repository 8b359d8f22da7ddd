#include "core/ocr/ppocr/EdgePadding.h"

#include "core/ocr/ppocr/PpOcrSettings.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <vector>

namespace {

using namespace PpOcrSettings;

// The pixels of the image's outermost rows and columns.
std::vector<cv::Vec3b> edgePixels(const cv::Mat &rgb)
{
    std::vector<cv::Vec3b> pixels;
    for (int x = 0; x < rgb.cols; ++x) {
        pixels.push_back(rgb.at<cv::Vec3b>(0, x));
        pixels.push_back(rgb.at<cv::Vec3b>(rgb.rows - 1, x));
    }
    for (int y = 1; y + 1 < rgb.rows; ++y) {
        pixels.push_back(rgb.at<cv::Vec3b>(y, 0));
        pixels.push_back(rgb.at<cv::Vec3b>(y, rgb.cols - 1));
    }
    return pixels;
}

int luminance(const cv::Vec3b &pixel)
{
    return (299 * pixel[0] + 587 * pixel[1] + 114 * pixel[2]) / 1000;
}

cv::Vec3b medianColour(std::vector<cv::Vec3b> pixels)
{
    cv::Vec3b median;
    for (int c = 0; c < 3; ++c) {
        auto middle = pixels.begin() + long(pixels.size() / 2);
        std::nth_element(pixels.begin(), middle, pixels.end(),
                         [c](const cv::Vec3b &a, const cv::Vec3b &b) { return a[c] < b[c]; });
        median[c] = (*middle)[c];
    }
    return median;
}

// Ink reaches the edge when enough edge pixels stand out from the edge's own median colour.
bool inkTouchesEdge(const cv::Mat &rgb)
{
    const std::vector<cv::Vec3b> pixels = edgePixels(rgb);
    const int background = luminance(medianColour(pixels));
    const auto touching =
        std::count_if(pixels.begin(), pixels.end(), [background](const cv::Vec3b &pixel) {
            return std::abs(luminance(pixel) - background) > edgeInkContrast;
        });
    return double(touching) > edgeInkShare * double(pixels.size());
}

} // namespace

namespace EdgePadding {

int marginFor(const cv::Mat &rgb)
{
    if (rgb.empty())
        return 0;
    // A one-line strip: short, or far wider than tall. Its box would be grown past the edge.
    const bool strip = rgb.rows <= stripHeight || rgb.cols > stripAspect * rgb.rows;
    // Only images that the detection input does not shrink: a border on a large photo changes
    // its scale for little gain, and its edges are paper or desk.
    const bool small = std::max(rgb.cols, rgb.rows) + 2 * edgeMargin <= det_limit_side_len;
    return strip || (small && inkTouchesEdge(rgb)) ? edgeMargin : 0;
}

cv::Mat padded(const cv::Mat &rgb, int margin)
{
    cv::Mat result;
    const cv::Vec3b background = medianColour(edgePixels(rgb));
    cv::copyMakeBorder(rgb, result, margin, margin, margin, margin, cv::BORDER_CONSTANT,
                       cv::Scalar(background[0], background[1], background[2]));
    return result;
}

} // namespace EdgePadding
