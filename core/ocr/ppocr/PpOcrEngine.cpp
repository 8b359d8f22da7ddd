#include "core/ocr/ppocr/PpOcrEngine.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/image/RgbImage.h"
#include "core/ocr/ppocr/DigitConfusions.h"
#include "core/ocr/ppocr/DirectionClassifier.h"
#include "core/ocr/ppocr/EdgePadding.h"
#include "core/ocr/ppocr/LineCrop.h"
#include "core/ocr/ppocr/LookAlikes.h"
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

// Normalised box with its origin at the lower-left corner, as observations carry it; `margin`
// is the border the image was read with.
QRectF normalisedBox(const TextQuad &quad, int margin, const cv::Size &image)
{
    float left = quad[0].x, right = quad[0].x, top = quad[0].y, bottom = quad[0].y;
    for (const cv::Point2f &corner : quad) {
        left = std::min(left, corner.x);
        right = std::max(right, corner.x);
        top = std::min(top, corner.y);
        bottom = std::max(bottom, corner.y);
    }
    left = std::clamp(left - float(margin), 0.0f, float(image.width));
    right = std::clamp(right - float(margin), 0.0f, float(image.width));
    top = std::clamp(top - float(margin), 0.0f, float(image.height));
    bottom = std::clamp(bottom - float(margin), 0.0f, float(image.height));
    const double width = image.width;
    const double height = image.height;
    return QRectF(left / width, 1.0 - bottom / height, (right - left) / width, (bottom - top) / height);
}

QImage viewOf(const cv::Mat &rgb)
{
    return QImage(rgb.data, rgb.cols, rgb.rows, int(rgb.step), QImage::Format_RGB888);
}

// A turned strip is read the way it was found too, and the surer reading stays: the direction
// network is sometimes sure and wrong on slanted lines and unusual type, and a wrong turn
// leaves nothing but unsure characters that the low-confidence filter then drops. Strips are
// rarely turned, so this costs little.
void keepSurerOrientation(std::vector<RecognizedStrip> &lines, const std::vector<cv::Mat> &strips,
                          const std::vector<size_t> &turned, PpOcrModels &models)
{
    if (turned.empty() || lines.size() != strips.size())
        return;
    std::vector<cv::Mat> asFound;
    for (size_t index : turned) {
        cv::Mat strip;
        cv::rotate(strips[index], strip, cv::ROTATE_180);
        asFound.push_back(std::move(strip));
    }
    std::vector<RecognizedStrip> unturned = TextRecognizer::read(asFound, models.recognition, models.alphabet);
    for (size_t k = 0; k < unturned.size(); ++k) {
        RecognizedStrip &line = lines[turned[k]];
        if (unturned[k].decoded.confidence > line.decoded.confidence) {
            qCDebug(lcOcr) << "a strip the direction network turned reads better as found";
            line = std::move(unturned[k]);
        }
    }
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
        if (rgb.pixels().empty()) {
            qCDebug(lcOcr) << "nothing recognised: the image does not convert to RGB";
            return {};
        }
        const int margin = EdgePadding::marginFor(rgb.pixels());
        const cv::Mat pixels = margin > 0 ? EdgePadding::padded(rgb.pixels(), margin) : rgb.pixels();
        if (margin > 0)
            qCDebug(lcOcr) << "text may touch the edge: a border of" << margin << "px added";

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
        const std::vector<size_t> turned = DirectionClassifier::turnUpsideDownStrips(strips, models_->direction);
        qCDebug(lcOcr) << "direction:" << stage.restart() << "ms";
        std::vector<RecognizedStrip> lines = TextRecognizer::read(strips, models_->recognition, models_->alphabet);
        keepSurerOrientation(lines, strips, turned, *models_);
        qCDebug(lcOcr) << "recognition:" << stage.restart() << "ms";

        QList<Observation> observations;
        for (size_t i = 0; i < lines.size(); ++i) {
            RecognizedStrip &line = lines[i];
            if (line.decoded.confidence < PpOcrSettings::drop_score)
                continue;
            LookAlikes::preferSemicolons(line.decoded);
            const QString text = LookAlikes::repairTextbookWords(DigitConfusions::repairPageReferences(
                SpaceRestorer::restore(line.decoded, viewOf(line.scaled), line.pixelsPerStep).trimmed()));
            if (!text.isEmpty())
                observations.append({normalisedBox(boxes[i], margin, rgb.pixels().size()), {text}});
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
