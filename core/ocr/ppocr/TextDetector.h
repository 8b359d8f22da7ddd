#pragma once

#include "core/ocr/ppocr/OnnxModel.h"
#include "core/ocr/ppocr/TextQuad.h"

#include <opencv2/core.hpp>

#include <vector>

// Finds the text lines of an RGB image with the detection network: one box per line, in image
// coordinates. The network sees the image without its ruling (Ruling).
namespace TextDetector {

// `onGrid`, when given, tells whether the image was a grid page (Ruling).
std::vector<TextQuad> detect(const cv::Mat &rgb, OnnxModel &network, bool *onGrid = nullptr);

// How much the image is shrunk for the detection input (1 when it is not).
double inputScale(const cv::Mat &rgb);

} // namespace TextDetector
