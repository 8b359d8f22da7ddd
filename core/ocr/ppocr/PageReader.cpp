#include "core/ocr/ppocr/PageReader.h"

#include "core/ScoredText.h"
#include "core/ocr/OcrLog.h"
#include "core/ocr/ppocr/DigitConfusions.h"
#include "core/ocr/ppocr/DirectionClassifier.h"
#include "core/ocr/ppocr/EdgePadding.h"
#include "core/ocr/ppocr/GridRows.h"
#include "core/ocr/ppocr/LanguagePrior.h"
#include "core/ocr/ppocr/LineCrop.h"
#include "core/ocr/ppocr/LinePieces.h"
#include "core/ocr/ppocr/LineTrace.h"
#include "core/ocr/ppocr/LookAlikes.h"
#include "core/ocr/ppocr/PpOcrModels.h"
#include "core/ocr/ppocr/PpOcrSettings.h"
#include "core/ocr/ppocr/Ruling.h"
#include "core/ocr/ppocr/SpaceRestorer.h"
#include "core/ocr/ppocr/TextDetector.h"
#include "core/ocr/ppocr/TextRecognizer.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>

namespace {

// Normalised box with its origin at the lower-left corner, as observations carry it; `margin`
// is the border the image was read with.
QRectF normalisedBox(const TextQuad &quad, int margin, const cv::Size &image)
{
    const cv::Rect2f bounds = boundsOf(quad);
    const float left = std::clamp(bounds.x - float(margin), 0.0f, float(image.width));
    const float right = std::clamp(bounds.br().x - float(margin), 0.0f, float(image.width));
    const float top = std::clamp(bounds.y - float(margin), 0.0f, float(image.height));
    const float bottom = std::clamp(bounds.br().y - float(margin), 0.0f, float(image.height));
    const double width = image.width;
    const double height = image.height;
    return QRectF(left / width, 1.0 - bottom / height, (right - left) / width,
                  (bottom - top) / height);
}

QImage viewOf(const cv::Mat &rgb)
{
    return QImage(rgb.data, rgb.cols, rgb.rows, int(rgb.step), QImage::Format_RGB888);
}

// A space the network wrote takes the lower value of its neighbours, as one put back between
// them does: whether a gap is a space is the layout's call, and the network's own doubt about
// its space class was no sign of a mistake on the public sets.
ScoredText scoredCharacters(const DecodedLine &line)
{
    QString text;
    QList<float> confidence;
    const std::vector<DecodedCharacter> &characters = line.characters;
    for (size_t i = 0; i < characters.size(); ++i) {
        float value = characters[i].probability;
        if (characters[i].text == QLatin1String(" ")) {
            value = 1.0f;
            if (i > 0)
                value = std::min(value, characters[i - 1].probability);
            if (i + 1 < characters.size())
                value = std::min(value, characters[i + 1].probability);
        }
        text += characters[i].text;
        confidence += QList<float>(characters[i].text.size(), value);
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

// A line read again with the ink before its box gains the characters that reading adds at its
// start when it reads the rest alike: the mark its box left out. The rest keeps its first
// reading: a strip shifted by a fraction of a time step reads the same characters at other
// steps, and their spacing differently.
std::vector<size_t> takeLeadingMarks(const std::vector<size_t> &leadLines,
                                     const std::vector<cv::Mat> &leadStrips, PpOcrModels &models,
                                     std::vector<RecognizedStrip> &lines)
{
    std::vector<size_t> marksOf(lines.size(), 0);
    if (leadStrips.empty())
        return marksOf;
    std::vector<RecognizedStrip> again =
        TextRecognizer::read(leadStrips, *models.recognition(), models.alphabet());
    for (size_t k = 0; k < again.size() && k < leadLines.size(); ++k) {
        RecognizedStrip &line = lines[leadLines[k]];
        const QString before = line.decoded.text();
        const QString after = again[k].decoded.text();
        if (after.size() <= before.size() || !after.endsWith(before))
            continue;
        qCDebug(lcOcr).noquote() << "a mark before the line's box read:" << after;
        // The marks go in at the strip's start; the rest keeps its first reading.
        std::vector<DecodedCharacter> &characters = line.decoded.characters;
        const auto &found = again[k].decoded.characters;
        std::vector<DecodedCharacter> marks(found.begin(), found.end() - long(characters.size()));
        for (DecodedCharacter &mark : marks)
            mark.firstStep = mark.lastStep = 0;
        characters.insert(characters.begin(), marks.begin(), marks.end());
        marksOf[leadLines[k]] = marks.size();
    }
    return marksOf;
}

// The line's spaces as its own strip shows them, the marks found before it put in front: they
// have no place in the strip to be measured at.
QString restoredSpaces(const RecognizedStrip &line, size_t marks, bool onGrid)
{
    if (marks == 0)
        return SpaceRestorer::restore(line.decoded, viewOf(line.scaled), line.pixelsPerStep,
                                      onGrid);
    DecodedLine rest = line.decoded;
    rest.characters.erase(rest.characters.begin(), rest.characters.begin() + long(marks));
    QString text;
    for (size_t i = 0; i < marks; ++i)
        text += line.decoded.characters[i].text;
    return text + SpaceRestorer::restore(rest, viewOf(line.scaled), line.pixelsPerStep, onGrid);
}

double slantOf(const TextQuad &box)
{
    const cv::Point2f run = box[1] - box[0];
    return -std::atan2(run.y, run.x) * 180.0 / M_PI;
}

} // namespace

namespace PageReader {

PageReading read(PpOcrModels &models, const cv::Mat &image)
{
    const int margin = EdgePadding::marginFor(image);
    const cv::Mat pixels = margin > 0 ? EdgePadding::padded(image, margin) : image;
    if (margin > 0)
        qCDebug(lcOcr) << "text may touch the edge: a border of" << margin << "px added";

    QElapsedTimer stage;
    stage.start();
    PageReading page;
    std::vector<TextQuad> boxes;
    std::vector<cv::Mat> strips;
    const double inputScale = TextDetector::inputScale(pixels);
    bool onGrid = false;
    std::vector<TextQuad> found = TextDetector::detect(pixels, *models.detection(), &onGrid);
    // A grid's columns read as "|" between the characters: on a grid page the lines are cut
    // out of the image without its lines.
    cv::Mat unruled;
    if (onGrid) {
        found = GridRows::upright(found);
        unruled = pixels.clone();
        Ruling::erase(unruled);
    }
    const cv::Mat &sheet = onGrid ? unruled : pixels;
    // Lines with ink before their box are also cut out with it (leadStrips, for the lines
    // leadLines).
    std::vector<size_t> leadLines;
    std::vector<cv::Mat> leadStrips;
    for (const TextQuad &box : found) {
        cv::Mat strip = LineCrop::upright(sheet, box);
        if (strip.empty())
            continue;
        if (const TextQuad lead = LineCrop::withLead(sheet, box, strip, found); lead != box) {
            leadLines.push_back(strips.size());
            leadStrips.push_back(LineCrop::upright(sheet, lead));
        }
        page.slants.push_back(slantOf(box));
        page.thickestLine =
            std::max(page.thickestLine, std::min(strip.cols, strip.rows) * inputScale);
        boxes.push_back(box);
        strips.push_back(std::move(strip));
    }
    qCDebug(lcOcr) << "detection:" << strips.size() << "lines in" << stage.restart() << "ms";
    // The recognition network loaded meanwhile; on a first call this waits for the rest of it.
    if (!models.usable()) {
        qCDebug(lcOcr) << "nothing recognised: the PP-OCR models are not loaded";
        return page;
    }
    qCDebug(lcOcr) << "waited for the recognition network:" << stage.restart() << "ms";
    std::vector<RecognizedStrip> lines =
        TextRecognizer::read(strips, *models.recognition(), models.alphabet());
    qCDebug(lcOcr) << "recognition:" << stage.restart() << "ms";
    const std::vector<size_t> marks = takeLeadingMarks(leadLines, leadStrips, models, lines);
    turnUnsureStrips(models, strips, lines);
    qCDebug(lcOcr) << "direction:" << stage.restart() << "ms";

    std::vector<LinePiece> pieces;
    for (size_t i = 0; i < lines.size(); ++i) {
        RecognizedStrip &line = lines[i];
        LineTrace::saveCrop(strips[i], i);
        if (line.decoded.confidence < PpOcrSettings::drop_score)
            continue;
        LanguagePrior::choose(line.decoded);
        LookAlikes::preferSemicolons(line.decoded);
        LookAlikes::settleBullet(line.decoded);
        LookAlikes::settleDigits(line.decoded);
        const QString restored =
            DigitConfusions::repairPageReferences(restoredSpaces(line, marks[i], onGrid).trimmed());
        // The rules insert spaces and repair letters without knowing about confidence; the
        // values follow the characters through them.
        const ScoredText scored = scoredCharacters(line.decoded).carriedTo(restored);
        const QString text = LookAlikes::repairTextbookWords(scored);
        LineTrace::log(boxes[i], line.decoded, text);
        if (text.isEmpty())
            continue;
        pieces.push_back({boxes[i], scored.carriedTo(text)});
        for (const DecodedCharacter &character : line.decoded.characters)
            page.sureCharacters += character.probability;
    }
    for (const LinePiece &piece : LinePieces::joined(std::move(pieces), onGrid)) {
        page.observations.append({normalisedBox(piece.box, margin, image.size()),
                                  {piece.text.text()},
                                  piece.text.confidence()});
    }
    qCDebug(lcOcr) << "layout:" << page.observations.size() << "lines of" << lines.size()
                   << "lines kept in" << stage.elapsed() << "ms";
    return page;
}

} // namespace PageReader
