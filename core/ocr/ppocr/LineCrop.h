#pragma once

#include "core/ocr/ppocr/TextQuad.h"

#include <opencv2/core.hpp>

#include <vector>

// Cuts one text line out of the image and straightens it.
namespace LineCrop {

// The line as an upright RGB strip, read left to right; a box much taller than wide is taken
// for vertical text and turned a quarter to lie flat. Empty for a box under 4 pixels a side.
cv::Mat upright(const cv::Mat &rgb, const TextQuad &box);

// The box drawn on at its start by leadingReach of its height where ink stands there: the
// detection network leaves out a small mark standing apart before a line (a bullet "·", an
// opening "【", the "1." of a numbered task), which the recognition network reads when it is in
// the strip. The box stays as it is before blank paper (a shifted strip reads its characters at
// other time steps, which is no gain), and where the added part would reach another line's box
// or the image's edge. `strip` is the box cut out by `upright`.
TextQuad withLead(const cv::Mat &rgb, const TextQuad &box, const cv::Mat &strip,
                  const std::vector<TextQuad> &others);

// The strip scaled to the given height, keeping its proportions, at most maximumWidth wide.
cv::Mat atHeight(const cv::Mat &strip, int height, int maximumWidth);

} // namespace LineCrop
