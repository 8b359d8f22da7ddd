#include "core/ocr/TextRecognizer.h"

#include "core/ocr/LineCrop.h"
#include "core/ocr/StripTensor.h"

#include <algorithm>
#include <numeric>

namespace {

// The network was trained on strips at least this wide; shorter ones are padded.
constexpr int minimumInputWidth = 320;
// Bounds the memory one absurdly long strip can take; a homework line is far shorter.
constexpr int maximumInputWidth = 4800;
constexpr size_t batchSize = 6;
// A batch is padded to its widest strip, and padding costs as much as text (the network mixes
// the whole width): only strips at most this much wider than the batch's narrowest share it.
// Batching lines of any width doubled the recognition time on screenshots.
constexpr double similarWidth = 1.25;

} // namespace

namespace TextRecognizer {

std::vector<RecognizedStrip> read(const std::vector<cv::Mat> &strips, OnnxModel &network,
                                  const std::vector<QString> &alphabet)
{
    std::vector<RecognizedStrip> results(strips.size());
    for (size_t i = 0; i < strips.size(); ++i)
        results[i].scaled = LineCrop::atHeight(strips[i], inputHeight, maximumInputWidth);

    std::vector<size_t> byWidth(strips.size());
    std::iota(byWidth.begin(), byWidth.end(), size_t(0));
    std::stable_sort(byWidth.begin(), byWidth.end(),
                     [&results](size_t a, size_t b) { return results[a].scaled.cols < results[b].scaled.cols; });
    auto paddedWidth = [&](size_t rank) { return std::max(minimumInputWidth, results[byWidth[rank]].scaled.cols); };

    size_t count = 0;
    for (size_t first = 0; first < byWidth.size(); first += count) {
        count = 1;
        while (first + count < byWidth.size() && count < batchSize
               && paddedWidth(first + count) <= similarWidth * paddedWidth(first))
            ++count;
        const int width = paddedWidth(first + count - 1);
        StripTensor tensor(count, inputHeight, width);
        for (size_t i = 0; i < count; ++i)
            tensor.set(i, results[byWidth[first + i]].scaled);

        Ort::Value output = network.run(tensor.values(), tensor.shape());
        const std::vector<int64_t> shape = output.GetTensorTypeAndShapeInfo().GetShape();
        if (shape.size() != 3 || shape[0] != int64_t(count) || shape[1] < 1 || shape[2] < 2)
            return {};
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
