#pragma once

#include <opencv2/core.hpp>

// Exercise books are ruled: lines under the writing, or a grid of 方格 / 田字格 cells, one
// character in each. The detection network takes a grid's lines for text and lets them cut a
// line of writing into cells or columns. A grid's long, thin, straight lines, horizontal and
// vertical, are painted over with the paper around them in the detection input; a stroke of
// writing that crosses one keeps its ink. Lined paper is left as it is.
namespace Ruling {

// Paints over the grid of the RGB image; false when it has none (most images: photos of print,
// screenshots, lined paper) and stays as it was.
bool erase(cv::Mat &rgb);

} // namespace Ruling
