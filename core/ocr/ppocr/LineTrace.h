#pragma once

#include "core/ocr/ppocr/CtcDecoder.h"
#include "core/ocr/ppocr/TextQuad.h"

#include <QString>
#include <opencv2/core.hpp>

// What tuning recognition needs to see of each line: its box, score and text, with the readings
// of its unsure characters, in slatebook.ocr; and, for bench/ocr, the line's crop.
namespace LineTrace {

// One debug line per read line.
void log(const TextQuad &box, const DecodedLine &line, const QString &text);

// bench/ocr's folder for the crops of the image being read (`--crops`); the program never sets
// one and writes no crops.
void setCropFolder(const QString &folder);

// Writes the strip as the folder's NN.png when a crop folder is set.
void saveCrop(const cv::Mat &rgbStrip, size_t index);

} // namespace LineTrace
