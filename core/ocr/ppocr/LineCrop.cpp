#include "core/ocr/ppocr/LineCrop.h"

#include "core/ocr/ppocr/PpOcrSettings.h"
#include "core/ocr/ppocr/TunedSettings.h"

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

namespace {

// Whether the part before the line holds ink of the line: pixels as far from the paper as half
// the line's own contrast, enough of them for a dot 0.07 of the line's height across (a bullet),
// or any at the line's first column, which its box cuts through.
bool holdsInk(const cv::Mat &rgb, const TextQuad &part, const cv::Mat &lineStrip)
{
    cv::Mat lineGrey;
    cv::Mat partGrey;
    cv::cvtColor(lineStrip, lineGrey, cv::COLOR_RGB2GRAY);
    const cv::Mat partStrip = LineCrop::upright(rgb, part);
    if (lineGrey.empty() || partStrip.empty())
        return false;
    cv::cvtColor(partStrip, partGrey, cv::COLOR_RGB2GRAY);
    double darkest = 0;
    double brightest = 0;
    cv::minMaxLoc(lineGrey, &darkest, &brightest);
    // The paper is the larger part of the strip, on whichever side of the middle it lies.
    std::vector<uchar> values(lineGrey.begin<uchar>(), lineGrey.end<uchar>());
    std::nth_element(values.begin(), values.begin() + long(values.size() / 2), values.end());
    const double paper = values[values.size() / 2];
    const bool darkInk = paper > (darkest + brightest) / 2;
    const double middle = darkInk ? (paper + darkest) / 2 : (paper + brightest) / 2;
    const int type = darkInk ? cv::THRESH_BINARY_INV : cv::THRESH_BINARY;
    cv::Mat ink;
    cv::threshold(partGrey, ink, middle, 1, type);
    const double dot = 0.07 * lineGrey.rows;
    // The box may also cut through the mark, leaving part of it at the line's first column.
    cv::Mat edge;
    cv::threshold(lineGrey.colRange(0, 1), edge, middle, 1, type);
    return cv::countNonZero(ink) >= dot * dot || cv::countNonZero(edge) > 0;
}

} // namespace

TextQuad withLead(const cv::Mat &rgb, const TextQuad &box, const cv::Mat &strip,
                  const std::vector<TextQuad> &others)
{
    const auto [topLeft, topRight, bottomRight, bottomLeft] = box;
    const double length = cv::norm(topRight - topLeft);
    const double height = cv::norm(bottomLeft - topLeft);
    // Vertical text and specks have no start to draw on.
    if (length < height || height < 4.0)
        return box;
    const cv::Point2f lead = (topLeft - topRight) *
        float(tuned("leadingReach", PpOcrSettings::leadingReach) * height / length);
    const TextQuad added = {topLeft + lead, topLeft, bottomLeft, bottomLeft + lead};
    const cv::Rect2f reach = boundsOf(added);
    if (reach.x < 0 || reach.y < 0 || reach.br().x > float(rgb.cols) ||
        reach.br().y > float(rgb.rows) || reach.width < 4 || reach.height < 4)
        return box;
    // The boxes of the lines above and below may graze the added part; one beside it on the
    // same line covers most of its height.
    for (const TextQuad &other : others) {
        const cv::Rect2f shared = boundsOf(other) & reach;
        if (&other != &box && shared.width > 0 && shared.height > reach.height / 2)
            return box;
    }
    if (!holdsInk(rgb, added, strip))
        return box;
    return {topLeft + lead, topRight, bottomRight, bottomLeft + lead};
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
