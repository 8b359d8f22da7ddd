#pragma once

#include <opencv2/core.hpp>

// Other views of an image whose first reading found nothing, or found lines too tall for the
// detection network: text at a steep slant, text too small for the network to find, or so
// large that it sees strokes instead of characters.
namespace ImageVariants {

// The image turned by `degrees` (counter-clockwise) about its centre, on a canvas large enough
// to hold all of it, the corners filled with its background colour.
cv::Mat turned(const cv::Mat &rgb, double degrees);

// The image enlarged to twice its size, at most to the detection input's longer side; empty
// when it is already that large.
cv::Mat enlarged(const cv::Mat &rgb);

// The image in the middle of a border of its own background as wide as itself: the text then
// takes half as much of the detection input.
cv::Mat framed(const cv::Mat &rgb);

} // namespace ImageVariants
