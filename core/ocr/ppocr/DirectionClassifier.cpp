#include "core/ocr/ppocr/DirectionClassifier.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/ppocr/LineCrop.h"
#include "core/ocr/ppocr/PpOcrSettings.h"
#include "core/ocr/ppocr/StripTensor.h"

#include <algorithm>

namespace DirectionClassifier {

using namespace PpOcrSettings;

std::vector<bool> turnUpsideDownStrips(std::vector<cv::Mat> &strips, OnnxModel &network)
{
    std::vector<bool> turned(strips.size(), false);
    const int inputHeight = cls_image_shape[1];
    const int inputWidth = cls_image_shape[2];
    for (size_t first = 0; first < strips.size(); first += cls_batch_num) {
        const size_t count = std::min(cls_batch_num, strips.size() - first);
        StripTensor tensor(count, inputHeight, inputWidth);
        for (size_t i = 0; i < count; ++i)
            tensor.set(i, LineCrop::atHeight(strips[first + i], inputHeight, inputWidth));

        Ort::Value output = network.run(tensor.values(), tensor.shape());
        const std::vector<int64_t> shape = output.GetTensorTypeAndShapeInfo().GetShape();
        if (shape.size() != 2 || shape[0] != int64_t(count) || shape[1] != 2) {
            qCDebug(lcOcr)
                << "direction network gave an output of unexpected shape; strips left as they are";
            return turned;
        }
        const float *scores = output.GetTensorData<float>();
        for (size_t i = 0; i < count; ++i) {
            // Class 1 is "turned by 180 degrees".
            if (scores[2 * i + 1] > cls_thresh) {
                cv::rotate(strips[first + i], strips[first + i], cv::ROTATE_180);
                turned[first + i] = true;
            }
        }
    }
    return turned;
}

} // namespace DirectionClassifier
