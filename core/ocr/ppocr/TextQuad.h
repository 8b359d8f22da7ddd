#pragma once

#include <opencv2/core.hpp>

#include <array>

// Corners of one text line's box: top-left, top-right, bottom-right, bottom-left as read.
using TextQuad = std::array<cv::Point2f, 4>;
