#include "core/ocr/ppocr/PpOcrEngine.h"

#include "core/ScoredText.h"
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
    return code.compare(QLatin1String("zh-Hans"), Qt::CaseInsensitive) == 0 ||
        code.compare(QLatin1String("zh-Hant"), Qt::CaseInsensitive) == 0 ||
        code.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0 ||
        code.startsWith(QLatin1String("en-"), Qt::CaseInsensitive);
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
    return QRectF(left / width, 1.0 - bottom / height, (right - left) / width,
                  (bottom - top) / height);
}

QImage viewOf(const cv::Mat &rgb)
{
    return QImage(rgb.data, rgb.cols, rgb.rows, int(rgb.step), QImage::Format_RGB888);
}

ScoredText scoredCharacters(const DecodedLine &line)
{
    QString text;
    QList<float> confidence;
    for (const DecodedCharacter &character : line.characters) {
        text += character.text;
        confidence += QList<float>(character.text.size(), character.probability);
    }
    return ScoredText(text, confidence);
}

// Upside-down text reads as a string of unsure characters, so only unsure strips are shown to the
// direction network; a typical photo never loads it. Those it turns are read again, and the
// surer of the two readings stays, so a wrong turn cannot spoil a line.
void turnUnsureStrips(PpOcrModels &models, const std::vector<cv::Mat> &strips,
                      std::vector<RecognizedStrip> &lines)
{
    std::vector<size_t> unsure;
    std::vector<cv::Mat> candidates;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].decoded.confidence < PpOcrSettings::directionCheckBelow) {
            unsure.push_back(i);
            candidates.push_back(strips[i].clone());
        }
    }
    if (unsure.empty())
        return;
    OnnxModel *direction = models.direction();
    if (!direction)
        return;
    const std::vector<bool> turned =
        DirectionClassifier::turnUpsideDownStrips(candidates, *direction);
    std::vector<size_t> turnedLines;
    std::vector<cv::Mat> turnedStrips;
    for (size_t k = 0; k < turned.size(); ++k) {
        if (turned[k]) {
            turnedLines.push_back(unsure[k]);
            turnedStrips.push_back(std::move(candidates[k]));
        }
    }
    if (turnedStrips.empty())
        return;
    std::vector<RecognizedStrip> again =
        TextRecognizer::read(turnedStrips, *models.recognition(), models.alphabet());
    for (size_t k = 0; k < again.size() && k < turnedLines.size(); ++k) {
        RecognizedStrip &line = lines[turnedLines[k]];
        if (again[k].decoded.confidence > line.decoded.confidence)
            line = std::move(again[k]);
    }
}

} // namespace

PpOcrEngine::PpOcrEngine(const QString &modelFolder)
    : m_models(std::make_unique<PpOcrModels>(modelFolder))
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
    return m_models->usable();
}

QList<Observation> PpOcrEngine::recognize(const QImage &image, const QStringList &languages)
{
    if (!readsAny(languages)) {
        qCDebug(lcOcr) << "nothing recognised: PP-OCR reads none of" << languages;
        return {};
    }
    if (!m_models->detection()) {
        qCDebug(lcOcr) << "nothing recognised: the PP-OCR models are not loaded";
        return {};
    }
    try {
        const RgbImage rgb(image);
        if (rgb.pixels().empty()) {
            qCDebug(lcOcr) << "nothing recognised: the image does not convert to RGB";
            return {};
        }
        const int margin = EdgePadding::marginFor(rgb.pixels());
        const cv::Mat pixels =
            margin > 0 ? EdgePadding::padded(rgb.pixels(), margin) : rgb.pixels();
        if (margin > 0)
            qCDebug(lcOcr) << "text may touch the edge: a border of" << margin << "px added";

        QElapsedTimer stage;
        stage.start();
        std::vector<TextQuad> boxes;
        std::vector<cv::Mat> strips;
        for (const TextQuad &box : TextDetector::detect(pixels, *m_models->detection())) {
            cv::Mat strip = LineCrop::upright(pixels, box);
            if (strip.empty())
                continue;
            boxes.push_back(box);
            strips.push_back(std::move(strip));
        }
        qCDebug(lcOcr) << "detection:" << strips.size() << "lines in" << stage.restart() << "ms";
        // The recognition network loaded meanwhile; on a first call this waits for the rest of it.
        if (!m_models->usable()) {
            qCDebug(lcOcr) << "nothing recognised: the PP-OCR models are not loaded";
            return {};
        }
        qCDebug(lcOcr) << "waited for the recognition network:" << stage.restart() << "ms";
        std::vector<RecognizedStrip> lines =
            TextRecognizer::read(strips, *m_models->recognition(), m_models->alphabet());
        qCDebug(lcOcr) << "recognition:" << stage.restart() << "ms";
        turnUnsureStrips(*m_models, strips, lines);
        qCDebug(lcOcr) << "direction:" << stage.restart() << "ms";

        QList<Observation> observations;
        for (size_t i = 0; i < lines.size(); ++i) {
            RecognizedStrip &line = lines[i];
            if (line.decoded.confidence < PpOcrSettings::drop_score)
                continue;
            LookAlikes::preferSemicolons(line.decoded);
            const QString text =
                LookAlikes::repairTextbookWords(DigitConfusions::repairPageReferences(
                    SpaceRestorer::restore(line.decoded, viewOf(line.scaled), line.pixelsPerStep)
                        .trimmed()));
            if (text.isEmpty())
                continue;
            // The rules above insert spaces and repair letters without knowing about confidence;
            // the values follow the characters through them.
            const ScoredText read = scoredCharacters(line.decoded).carriedTo(text);
            observations.append(
                {normalisedBox(boxes[i], margin, rgb.pixels().size()), {text}, read.confidence()});
        }
        qCDebug(lcOcr) << "layout:" << observations.size() << "of" << lines.size()
                       << "lines kept in" << stage.elapsed() << "ms";
        return observations;
    } catch (const std::exception &error) {
        // ONNX Runtime, OpenCV and allocation failures alike: recognition gives nothing.
        qCDebug(lcOcr) << "nothing recognised: PP-OCR failed:" << error.what();
        return {};
    }
}
