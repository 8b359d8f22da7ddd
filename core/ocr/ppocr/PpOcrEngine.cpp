#include "core/ocr/ppocr/PpOcrEngine.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/image/RgbImage.h"
#include "core/ocr/ppocr/DigitConfusions.h"
#include "core/ocr/ppocr/DirectionClassifier.h"
#include "core/ocr/ppocr/LineCrop.h"
#include "core/ocr/ppocr/ModelFiles.h"
#include "core/ocr/ppocr/PpOcrModels.h"
#include "core/ocr/ppocr/PpOcrSettings.h"
#include "core/ocr/ppocr/SpaceRestorer.h"
#include "core/ocr/ppocr/TextDetector.h"
#include "core/ocr/ppocr/TextRecognizer.h"

#include <QElapsedTimer>

#include <algorithm>
#include <exception>

namespace {

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

PpOcrEngine &PpOcrEngine::instance()
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
    if (!models_) {
        qCDebug(lcOcr) << "nothing recognised: the PP-OCR models are not loaded";
        return {};
    }
    if (!readsAny(languages)) {
        qCDebug(lcOcr) << "nothing recognised: PP-OCR reads none of" << languages;
        return {};
    }
    try {
        const RgbImage rgb(image);
        const cv::Mat &pixels = rgb.pixels();
        if (pixels.empty()) {
            qCDebug(lcOcr) << "nothing recognised: the image does not convert to RGB";
            return {};
        }

        QElapsedTimer stage;
        stage.start();
        std::vector<TextQuad> boxes;
        std::vector<cv::Mat> strips;
        for (const TextQuad &box : TextDetector::detect(pixels, models_->detection)) {
            cv::Mat strip = LineCrop::upright(pixels, box);
            if (strip.empty())
                continue;
            boxes.push_back(box);
            strips.push_back(std::move(strip));
        }
        qCDebug(lcOcr) << "detection:" << strips.size() << "lines in" << stage.restart() << "ms";
        DirectionClassifier::turnUpsideDownStrips(strips, models_->direction);
        qCDebug(lcOcr) << "direction:" << stage.restart() << "ms";
        const std::vector<RecognizedStrip> lines = TextRecognizer::read(strips, models_->recognition, models_->alphabet);
        qCDebug(lcOcr) << "recognition:" << stage.restart() << "ms";

        QList<Observation> observations;
        for (size_t i = 0; i < lines.size(); ++i) {
            const RecognizedStrip &line = lines[i];
            if (line.decoded.confidence < PpOcrSettings::drop_score)
                continue;
            const QString text = DigitConfusions::repairPageReferences(
                SpaceRestorer::restore(line.decoded, viewOf(line.scaled), line.pixelsPerStep).trimmed());
            if (!text.isEmpty())
                observations.append({normalisedBox(boxes[i], pixels.size()), {text}});
        }
        qCDebug(lcOcr) << "layout:" << observations.size() << "of" << lines.size() << "lines kept in"
                       << stage.elapsed() << "ms";
        return observations;
    } catch (const std::exception &error) {
        // ONNX Runtime, OpenCV and allocation failures alike: recognition gives nothing.
        qCDebug(lcOcr) << "nothing recognised: PP-OCR failed:" << error.what();
        return {};
    }
}
