#pragma once

#include "core/ocr/ppocr/CtcDecoder.h"
#include "core/ocr/ppocr/OnnxModel.h"

#include <QString>
#include <opencv2/core.hpp>

#include <vector>

// What the recognition network read on one strip, with the strip as it saw it.
struct RecognizedStrip {
    DecodedLine decoded;
    // The RGB strip at the network's input height, before padding.
    cv::Mat scaled;
    // Width in pixels of one time step of the network's output.
    double pixelsPerStep = 8.0;
};

namespace TextRecognizer {

// Reads upright strips; the result has one entry per strip, in the same order.
std::vector<RecognizedStrip> read(const std::vector<cv::Mat> &strips, OnnxModel &network,
                                  const std::vector<QString> &alphabet);

} // namespace TextRecognizer
