#include "core/ocr/TextDetector.h"

#include "core/ocr/DbBoxes.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace {

// Longer side of the network input. Photos are only ever shrunk: above this the boxes stay the
// same and detection time grows quickly.
constexpr int longerSideLimit = 960;
constexpr int sideMultiple = 32;

int roundedSide(double side)
{
    return std::max(sideMultiple, int(std::lround(side / sideMultiple)) * sideMultiple);
}

std::vector<float> normalisedPlanes(const cv::Mat &rgb)
{
    static constexpr float mean[3] = {0.485f, 0.456f, 0.406f};
    static constexpr float deviation[3] = {0.229f, 0.224f, 0.225f};
    const size_t plane = size_t(rgb.rows) * size_t(rgb.cols);
    std::vector<float> planes(3 * plane);
    for (int y = 0; y < rgb.rows; ++y) {
        const uchar *pixel = rgb.ptr<uchar>(y);
        for (int x = 0; x < rgb.cols; ++x, pixel += 3) {
            const size_t at = size_t(y) * size_t(rgb.cols) + size_t(x);
            for (int c = 0; c < 3; ++c)
                planes[c * plane + at] = (pixel[c] / 255.0f - mean[c]) / deviation[c];
        }
    }
    return planes;
}

} // namespace

namespace TextDetector {

std::vector<TextQuad> detect(const cv::Mat &rgb, OnnxModel &network)
{
    const double scale = std::min(1.0, double(longerSideLimit) / std::max(rgb.cols, rgb.rows));
    const cv::Size inputSize(roundedSide(rgb.cols * scale), roundedSide(rgb.rows * scale));
    cv::Mat resized;
    cv::resize(rgb, resized, inputSize, 0, 0, cv::INTER_LINEAR);
    std::vector<float> input = normalisedPlanes(resized);

    Ort::Value output = network.run(input, {1, 3, inputSize.height, inputSize.width});
    const std::vector<int64_t> shape = output.GetTensorTypeAndShapeInfo().GetShape();
    if (shape.size() != 4 || shape[2] != inputSize.height || shape[3] != inputSize.width)
        return {};
    const cv::Mat probability(inputSize, CV_32FC1, output.GetTensorMutableData<float>());

    const float toImageX = float(rgb.cols) / float(inputSize.width);
    const float toImageY = float(rgb.rows) / float(inputSize.height);
    std::vector<TextQuad> boxes = DbBoxes::fromProbabilityMap(probability);
    for (TextQuad &box : boxes) {
        for (cv::Point2f &corner : box) {
            corner.x = std::clamp(corner.x * toImageX, 0.0f, float(rgb.cols));
            corner.y = std::clamp(corner.y * toImageY, 0.0f, float(rgb.rows));
        }
    }
    return boxes;
}

} // namespace TextDetector
