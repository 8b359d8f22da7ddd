#pragma once

#include <opencv2/core.hpp>

#include <algorithm>
#include <array>

// Corners of one text line's box: top-left, top-right, bottom-right, bottom-left as read.
using TextQuad = std::array<cv::Point2f, 4>;

// The upright rectangle that holds every corner of the box.
inline cv::Rect2f boundsOf(const TextQuad &box)
{
    float left = box[0].x, right = box[0].x, top = box[0].y, bottom = box[0].y;
    for (const cv::Point2f &corner : box) {
        left = std::min(left, corner.x);
        right = std::max(right, corner.x);
        top = std::min(top, corner.y);
        bottom = std::max(bottom, corner.y);
    }
    return {left, top, right - left, bottom - top};
}
