#pragma once

#include "core/ocr/ppocr/TextQuad.h"

#include <opencv2/core.hpp>

#include <vector>

// Turns the detection network's probability map (differentiable binarisation) into one box per
// text line, in map coordinates.
namespace DbBoxes {

std::vector<TextQuad> fromProbabilityMap(const cv::Mat &probability);

} // namespace DbBoxes
