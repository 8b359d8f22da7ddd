#include "core/ocr/ppocr/TextRecognizer.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/ppocr/LineCrop.h"
#include "core/ocr/ppocr/PpOcrSettings.h"
#include "core/ocr/ppocr/StripTensor.h"

#include <algorithm>
#include <numeric>

namespace TextRecognizer {

using namespace PpOcrSettings;

std::vector<RecognizedStrip> read(const std::vector<cv::Mat> &strips, OnnxModel &network,
                                  const std::vector<QString> &alphabet)
{
    const int inputHeight = rec_image_shape[1];
    const int minimumInputWidth = rec_image_shape[2];
    std::vector<RecognizedStrip> results(strips.size());
    for (size_t i = 0; i < strips.size(); ++i)
        results[i].scaled = LineCrop::atHeight(strips[i], inputHeight, maximumRecognitionWidth);

    std::vector<size_t> byWidth(strips.size());
    std::iota(byWidth.begin(), byWidth.end(), size_t(0));
    std::stable_sort(byWidth.begin(), byWidth.end(),
                     [&results](size_t a, size_t b) { return results[a].scaled.cols < results[b].scaled.cols; });
    auto paddedWidth = [&](size_t rank) { return std::max(minimumInputWidth, results[byWidth[rank]].scaled.cols); };

    size_t count = 0;
    for (size_t first = 0; first < byWidth.size(); first += count) {
        count = 1;
        while (first + count < byWidth.size() && count < rec_batch_num
               && paddedWidth(first + count) <= batchWidthSpread * paddedWidth(first))
            ++count;
        const int width = paddedWidth(first + count - 1);
        StripTensor tensor(count, inputHeight, width);
        for (size_t i = 0; i < count; ++i)
            tensor.set(i, results[byWidth[first + i]].scaled);

        Ort::Value output = network.run(tensor.values(), tensor.shape());
        const std::vector<int64_t> shape = output.GetTensorTypeAndShapeInfo().GetShape();
        if (shape.size() != 3 || shape[0] != int64_t(count) || shape[1] < 1 || shape[2] < 2) {
            qCDebug(lcOcr) << "recognition network gave an output of unexpected shape; no lines";
            return {};
        }
        const int steps = int(shape[1]);
        const int classes = int(shape[2]);
        const float *probabilities = output.GetTensorData<float>();
        for (size_t i = 0; i < count; ++i) {
            RecognizedStrip &result = results[byWidth[first + i]];
            result.decoded = CtcDecoder::decode(probabilities + i * size_t(steps) * size_t(classes), steps, classes,
                                                alphabet);
            result.pixelsPerStep = double(width) / steps;
        }
    }
    return results;
}

} // namespace TextRecognizer
