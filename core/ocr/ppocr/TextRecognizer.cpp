#include "core/ocr/ppocr/TextRecognizer.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/ppocr/LineCrop.h"
#include "core/ocr/ppocr/PpOcrSettings.h"
#include "core/ocr/ppocr/StripTensor.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <numeric>

namespace {

using namespace PpOcrSettings;

struct Reading {
    DecodedLine decoded;
    // Width in pixels of the network input of one output time step.
    double pixelsPerStep = 8.0;
};

// Runs the network on strips already at its input height, in batches of similar width; empty
// when the network's output has an unexpected shape.
std::vector<Reading> readScaled(const std::vector<cv::Mat> &scaled, OnnxModel &network,
                                const std::vector<QString> &alphabet)
{
    const int inputHeight = rec_image_shape[1];
    const int minimumInputWidth = rec_image_shape[2];
    std::vector<Reading> readings(scaled.size());
    std::vector<size_t> byWidth(scaled.size());
    std::iota(byWidth.begin(), byWidth.end(), size_t(0));
    std::stable_sort(byWidth.begin(), byWidth.end(),
                     [&scaled](size_t a, size_t b) { return scaled[a].cols < scaled[b].cols; });
    auto paddedWidth = [&](size_t rank) {
        return std::max(minimumInputWidth, scaled[byWidth[rank]].cols);
    };

    size_t count = 0;
    for (size_t first = 0; first < byWidth.size(); first += count) {
        count = 1;
        while (first + count < byWidth.size() && count < rec_batch_num &&
               paddedWidth(first + count) <= batchWidthSpread * paddedWidth(first))
            ++count;
        const int width = paddedWidth(first + count - 1);
        StripTensor tensor(count, inputHeight, width);
        for (size_t i = 0; i < count; ++i)
            tensor.set(i, scaled[byWidth[first + i]]);

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
            Reading &reading = readings[byWidth[first + i]];
            reading.decoded = CtcDecoder::decode(
                probabilities + i * size_t(steps) * size_t(classes), steps, classes, alphabet);
            reading.pixelsPerStep = double(width) / steps;
        }
    }
    return readings;
}

// Mean of the characters' probabilities where each was surest.
double meanCharacterProbability(const DecodedLine &line)
{
    if (line.characters.empty())
        return 0.0;
    double sum = 0.0;
    for (const DecodedCharacter &character : line.characters)
        sum += character.probability;
    return sum / double(line.characters.size());
}

// True when `longer` reads every character of `shorter` in order and adds only characters read
// with at least the given probability: characters found that the first reading merged (the
// second of two 1s) or missed (a thin full stop), not a different reading of the same glyphs.
bool addsSureCharacters(const DecodedLine &longer, const DecodedLine &shorter, float sure)
{
    if (longer.characters.size() <= shorter.characters.size())
        return false;
    size_t matched = 0;
    for (const DecodedCharacter &character : longer.characters) {
        if (matched < shorter.characters.size() &&
            character.text == shorter.characters[matched].text)
            ++matched;
        else if (character.probability < sure)
            return false;
    }
    return matched == shorter.characters.size();
}

bool isUnsure(const DecodedLine &line)
{
    return !line.characters.empty() &&
        (line.weakestProbability() < rereadBelowProbability || line.weakestStep < rereadBelowStep);
}

} // namespace

namespace TextRecognizer {

std::vector<RecognizedStrip> read(const std::vector<cv::Mat> &strips, OnnxModel &network,
                                  const std::vector<QString> &alphabet)
{
    const int inputHeight = rec_image_shape[1];
    std::vector<cv::Mat> scaled;
    for (const cv::Mat &strip : strips)
        scaled.push_back(LineCrop::atHeight(strip, inputHeight, maximumRecognitionWidth));
    std::vector<Reading> readings = readScaled(scaled, network, alphabet);
    if (readings.size() != strips.size())
        return {};

    // The network's time steps are coarse (about 8 pixels): two thin strokes such as the 1s of
    // "11" can fall into neighbouring steps and merge, and a thin full stop or a look-alike mark
    // gets an unsure reading. A line with an unsure character is read again stretched
    // horizontally, which gives every glyph more steps, and the surer of the two readings stays.
    std::vector<size_t> unsure;
    std::vector<cv::Mat> stretched;
    for (size_t i = 0; i < readings.size(); ++i) {
        const DecodedLine &line = readings[i].decoded;
        if (!isUnsure(line))
            continue;
        const int width = std::min(int(scaled[i].cols * rereadStretch), maximumRecognitionWidth);
        cv::Mat wide;
        cv::resize(scaled[i], wide, cv::Size(width, inputHeight), 0, 0, cv::INTER_LINEAR);
        unsure.push_back(i);
        stretched.push_back(std::move(wide));
    }
    if (!unsure.empty())
        qCDebug(lcOcr) << "read again stretched:" << unsure.size() << "of" << strips.size()
                       << "lines";
    const std::vector<Reading> second = readScaled(stretched, network, alphabet);
    for (size_t k = 0; k < second.size(); ++k) {
        Reading &first = readings[unsure[k]];
        const DecodedLine &stretchedLine = second[k].decoded;
        if (meanCharacterProbability(stretchedLine) <= meanCharacterProbability(first.decoded) &&
            !addsSureCharacters(stretchedLine, first.decoded, foundCharacterProbability))
            continue;
        qCDebug(lcOcr) << "stretched reading kept for a line read unsurely";
        first.decoded = stretchedLine;
        // Steps are measured on the strip as it was before stretching.
        first.pixelsPerStep = second[k].pixelsPerStep * scaled[unsure[k]].cols / stretched[k].cols;
    }

    std::vector<RecognizedStrip> results(strips.size());
    for (size_t i = 0; i < strips.size(); ++i)
        results[i] = {std::move(readings[i].decoded), std::move(scaled[i]),
                      readings[i].pixelsPerStep};
    return results;
}

} // namespace TextRecognizer
