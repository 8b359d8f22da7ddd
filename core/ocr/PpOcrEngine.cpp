#include "core/ocr/PpOcrEngine.h"

#include "core/ocr/DigitConfusions.h"
#include "core/ocr/DirectionClassifier.h"
#include "core/ocr/LineCrop.h"
#include "core/ocr/ModelFiles.h"
#include "core/ocr/PpOcrModels.h"
#include "core/ocr/RgbImage.h"
#include "core/ocr/SpaceRestorer.h"
#include "core/ocr/TextDetector.h"
#include "core/ocr/TextRecognizer.h"

#include <algorithm>
#include <exception>

namespace {

// Lines read with less mean confidence than this are smudges, ruled lines or texture.
constexpr float minimumLineConfidence = 0.5f;

bool isServedLanguage(const QString &code)
{
    return code.compare(QLatin1String("zh-Hans"), Qt::CaseInsensitive) == 0
        || code.compare(QLatin1String("zh-Hant"), Qt::CaseInsensitive) == 0
        || code.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0
        || code.startsWith(QLatin1String("en-"), Qt::CaseInsensitive);
}

// Normalised box with its origin at the lower-left corner, as observations carry it.
QRectF normalisedBox(const TextQuad &quad, const cv::Size &image)
{
    float left = quad[0].x, right = quad[0].x, top = quad[0].y, bottom = quad[0].y;
    for (const cv::Point2f &corner : quad) {
        left = std::min(left, corner.x);
        right = std::max(right, corner.x);
        top = std::min(top, corner.y);
        bottom = std::max(bottom, corner.y);
    }
    const double width = image.width;
    const double height = image.height;
    return QRectF(left / width, 1.0 - bottom / height, (right - left) / width, (bottom - top) / height);
}

QImage viewOf(const cv::Mat &rgb)
{
    return QImage(rgb.data, rgb.cols, rgb.rows, int(rgb.step), QImage::Format_RGB888);
}

} // namespace

PpOcrEngine::PpOcrEngine(const QString &modelFolder)
    : models_(PpOcrModels::load(modelFolder))
{
}

PpOcrEngine::~PpOcrEngine() = default;

PpOcrEngine &PpOcrEngine::shared()
{
    static PpOcrEngine engine(ModelFiles::locateFolder());
    return engine;
}

bool PpOcrEngine::readsAny(const QStringList &languages)
{
    return std::any_of(languages.begin(), languages.end(), isServedLanguage);
}

bool PpOcrEngine::isLoaded() const
{
    return models_ != nullptr;
}

QList<Observation> PpOcrEngine::recognize(const QImage &image, const QStringList &languages)
{
    if (!models_ || !readsAny(languages))
        return {};
    try {
        const RgbImage rgb(image);
        const cv::Mat &pixels = rgb.pixels();
        if (pixels.empty())
            return {};

        std::vector<TextQuad> boxes;
        std::vector<cv::Mat> strips;
        for (const TextQuad &box : TextDetector::detect(pixels, models_->detection)) {
            cv::Mat strip = LineCrop::upright(pixels, box);
            if (strip.empty())
                continue;
            boxes.push_back(box);
            strips.push_back(std::move(strip));
        }
        DirectionClassifier::turnUpsideDownStrips(strips, models_->direction);
        const std::vector<RecognizedStrip> lines = TextRecognizer::read(strips, models_->recognition, models_->alphabet);

        QList<Observation> observations;
        for (size_t i = 0; i < lines.size(); ++i) {
            const RecognizedStrip &line = lines[i];
            if (line.decoded.confidence < minimumLineConfidence)
                continue;
            const QString text = DigitConfusions::repairPageReferences(
                SpaceRestorer::restore(line.decoded, viewOf(line.scaled), line.pixelsPerStep).trimmed());
            if (!text.isEmpty())
                observations.append({normalisedBox(boxes[i], pixels.size()), {text}});
        }
        return observations;
    } catch (const std::exception &) {
        // ONNX Runtime, OpenCV and allocation failures alike: recognition gives nothing.
        return {};
    }
}
