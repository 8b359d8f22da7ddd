#pragma once

#include "core/ocr/ppocr/OnnxModel.h"

#include <opencv2/core.hpp>

#include <vector>

// Turns the strips that the direction network is confident are upside down; the rest stay.
namespace DirectionClassifier {

// Returns the indices of the strips it turned, so that a caller can check the verdict: on
// slanted or unusual text the network is sometimes sure and wrong.
std::vector<size_t> turnUpsideDownStrips(std::vector<cv::Mat> &strips, OnnxModel &network);

} // namespace DirectionClassifier
