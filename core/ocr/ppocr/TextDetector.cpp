#include "core/ocr/ppocr/TextDetector.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/ppocr/DbBoxes.h"
#include "core/ocr/ppocr/PpOcrSettings.h"
#include "core/ocr/ppocr/Ruling.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace {

using namespace PpOcrSettings;

int roundedSide(double side)
{
    return std::max(detectionStride, int(std::lround(side / detectionStride)) * detectionStride);
}

std::vector<float> normalisedPlanes(const cv::Mat &rgb)
{
    const size_t plane = size_t(rgb.rows) * size_t(rgb.cols);
    std::vector<float> planes(3 * plane);
    for (int y = 0; y < rgb.rows; ++y) {
        const uchar *pixel = rgb.ptr<uchar>(y);
        for (int x = 0; x < rgb.cols; ++x, pixel += 3) {
            const size_t at = size_t(y) * size_t(rgb.cols) + size_t(x);
            for (int c = 0; c < 3; ++c)
                planes[c * plane + at] = (pixel[c] / 255.0f - imagenet_mean[c]) / imagenet_std[c];
        }
    }
    return planes;
}

} // namespace

namespace TextDetector {

double inputScale(const cv::Mat &rgb)
{
    return std::min(1.0, double(det_limit_side_len) / std::max(rgb.cols, rgb.rows));
}

std::vector<TextQuad> detect(const cv::Mat &rgb, OnnxModel &network, bool *onGrid)
{
    const double scale = inputScale(rgb);
    const cv::Size inputSize(roundedSide(rgb.cols * scale), roundedSide(rgb.rows * scale));
    cv::Mat resized;
    cv::resize(rgb, resized, inputSize, 0, 0, cv::INTER_LINEAR);
    const bool grid = Ruling::erase(resized);
    if (onGrid)
        *onGrid = grid;
    std::vector<float> input = normalisedPlanes(resized);

    Ort::Value output = network.run(input, {1, 3, inputSize.height, inputSize.width});
    const std::vector<int64_t> shape = output.GetTensorTypeAndShapeInfo().GetShape();
    if (shape.size() != 4 || shape[2] != inputSize.height || shape[3] != inputSize.width) {
        qCDebug(lcOcr) << "detection network gave an output of unexpected shape; no lines";
        return {};
    }
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
