#pragma once

#include "core/ocr/OcrEngine.h"

#include <QList>
#include <opencv2/core.hpp>

#include <vector>

class PpOcrModels;

// What one image read as: its lines, how much surely read text they hold, and the shape of the
// lines the detection network found (read or not).
struct PageReading {
    QList<Observation> observations;
    // The sum of the characters' probabilities: more text, read more surely, is the better reading.
    double sureCharacters = 0.0;
    // The slant of each detected line in degrees, counter-clockwise.
    std::vector<double> slants;
    // The thickest detected line, in pixels of the detection input.
    double thickestLine = 0.0;
};

namespace PageReader {

// Detects, cuts out and reads the lines of one RGB image; boxes are normalised over the image.
// Needs the detection network loaded; without the recognition network it reads nothing.
PageReading read(PpOcrModels &models, const cv::Mat &image);

} // namespace PageReader
