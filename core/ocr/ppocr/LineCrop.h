#pragma once

#include "core/ocr/ppocr/TextQuad.h"

#include <opencv2/core.hpp>

// Cuts one text line out of the image and straightens it.
namespace LineCrop {

// The line as an upright RGB strip, read left to right; a box much taller than wide is taken
// for vertical text and turned a quarter to lie flat. Empty for a box under 4 pixels a side.
cv::Mat upright(const cv::Mat &rgb, const TextQuad &box);

// The strip scaled to the given height, keeping its proportions, at most maximumWidth wide.
cv::Mat atHeight(const cv::Mat &strip, int height, int maximumWidth);

} // namespace LineCrop
