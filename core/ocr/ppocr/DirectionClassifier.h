#pragma once

#include "core/ocr/ppocr/OnnxModel.h"

#include <opencv2/core.hpp>

#include <vector>

// Turns the strips that the direction network is confident are upside down; the rest stay.
namespace DirectionClassifier {

// Which strips were turned, one flag per strip.
std::vector<bool> turnUpsideDownStrips(std::vector<cv::Mat> &strips, OnnxModel &network);

} // namespace DirectionClassifier
