#pragma once

#include <opencv2/core.hpp>

// Text that touches the image's edge (a tight crop, a one-line strip) is read badly: the
// detection network sees half a context there, and a line box grown past the edge is cut off,
// so the first and last letters and a full stop are lost. Such images get a border of their
// own background colour before detection; others stay as they are, since any change of the
// detection input moves the boxes of well-framed photos and screenshots.
namespace EdgePadding {

// Border width in pixels for the image: 0 when it needs none.
int marginFor(const cv::Mat &rgb);

// The image inside a border of `margin` pixels of its background colour (the median of its
// outermost pixels).
cv::Mat padded(const cv::Mat &rgb, int margin);

} // namespace EdgePadding
