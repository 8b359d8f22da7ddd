#include "core/ocr/DirectionClassifier.h"

#include "core/ocr/LineCrop.h"
#include "core/ocr/StripTensor.h"

#include <algorithm>

namespace {

constexpr int inputHeight = 48;
constexpr int inputWidth = 192;
constexpr size_t batchSize = 16;
// A wrong turn ruins a line, so only a sure verdict counts.
constexpr float turnConfidence = 0.9f;

} // namespace

namespace DirectionClassifier {

void turnUpsideDownStrips(std::vector<cv::Mat> &strips, OnnxModel &network)
{
    for (size_t first = 0; first < strips.size(); first += batchSize) {
        const size_t count = std::min(batchSize, strips.size() - first);
        StripTensor tensor(count, inputHeight, inputWidth);
        for (size_t i = 0; i < count; ++i)
            tensor.set(i, LineCrop::atHeight(strips[first + i], inputHeight, inputWidth));

        Ort::Value output = network.run(tensor.values(), tensor.shape());
        const std::vector<int64_t> shape = output.GetTensorTypeAndShapeInfo().GetShape();
        if (shape.size() != 2 || shape[0] != int64_t(count) || shape[1] != 2)
            return;
        const float *scores = output.GetTensorData<float>();
        for (size_t i = 0; i < count; ++i) {
            // Class 1 is "turned by 180 degrees".
            if (scores[2 * i + 1] > turnConfidence)
                cv::rotate(strips[first + i], strips[first + i], cv::ROTATE_180);
        }
    }
}

} // namespace DirectionClassifier
