#include "core/ocr/ppocr/LinePieces.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/ppocr/PpOcrSettings.h"

#include <opencv2/core.hpp>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

using namespace PpOcrSettings;

double lengthOf(const cv::Point2f &vector)
{
    return std::hypot(vector.x, vector.y);
}

// How far the second piece's box starts after the first one's ends, along the first one's line
// (negative where they overlap); nothing when the second does not continue the first's line.
std::optional<double> continuation(const TextQuad &first, const TextQuad &second)
{
    const cv::Point2f run = first[1] - first[0];
    const double length = lengthOf(run);
    const double height = lengthOf(first[3] - first[0]);
    const double secondLength = lengthOf(second[1] - second[0]);
    const double secondHeight = lengthOf(second[3] - second[0]);
    if (length <= 0 || height <= 0 || secondLength <= 0 || secondHeight <= 0)
        return std::nullopt;
    const cv::Point2f along = run * float(1.0 / length);
    const cv::Point2f across(-along.y, along.x);
    const cv::Point2f secondAlong = (second[1] - second[0]) * float(1.0 / secondLength);
    // The same slant and about the same size.
    if (std::abs(along.cross(secondAlong)) > std::sin(pieceSlantTolerance * CV_PI / 180.0) ||
        std::max(height, secondHeight) > pieceHeightRatio * std::min(height, secondHeight))
        return std::nullopt;
    // The same band: centres apart along the line, not across it.
    const cv::Point2f offset = (second[0] + second[2] - first[0] - first[2]) * 0.5f;
    const double meanHeight = (height + secondHeight) / 2;
    if (std::abs(offset.dot(across)) > pieceBandShare * meanHeight || offset.dot(along) <= 0)
        return std::nullopt;
    const double gap = offset.dot(along) - (length + secondLength) / 2;
    if (gap > pieceJoinGap * meanHeight)
        return std::nullopt;
    return gap;
}

// The number of characters, at most `most`, the end of `first` repeats at the start of `second`.
qsizetype repeatedAtSeam(const QString &first, const QString &second, qsizetype most)
{
    for (qsizetype count = std::min({first.size(), second.size(), most}); count > 0; --count) {
        if (first.endsWith(QStringView(second).first(count)))
            return count;
    }
    return 0;
}

LinePiece joinedPair(const LinePiece &first, const LinePiece &second, double gap, bool onGrid)
{
    ScoredText rest = second.text;
    QString separator;
    if (gap < 0) {
        // Overlapping boxes: what both read at the seam is one character read twice, as many
        // characters as the overlap holds (a character is at least half as wide as the line is
        // high).
        const double height = lengthOf(first.box[3] - first.box[0]);
        const auto most =
            std::min(qsizetype(seamCharacters), qsizetype(std::ceil(-gap / (0.5 * height))));
        rest = rest.sliced(repeatedAtSeam(first.text.text(), rest.text(), most));
    } else if (!onGrid) {
        separator = QStringLiteral(" ");
    }
    const QString text = first.text.text() + separator + rest.text();
    // The space put in is as sure as its surer neighbour is not: the lower of the two.
    QList<float> confidence = first.text.confidence();
    if (!separator.isEmpty())
        confidence.append(std::min(first.text.confidence().value(first.text.size() - 1, 1.0f),
                                   rest.confidence().value(0, 1.0f)));
    confidence.append(rest.confidence());
    return {{first.box[0], second.box[1], second.box[2], first.box[3]},
            ScoredText(text, confidence)};
}

} // namespace

namespace LinePieces {

std::vector<LinePiece> joined(std::vector<LinePiece> pieces, bool onGrid)
{
    bool changed = true;
    while (changed) {
        changed = false;
        for (size_t i = 0; i < pieces.size() && !changed; ++i) {
            for (size_t j = 0; j < pieces.size() && !changed; ++j) {
                if (i == j)
                    continue;
                const std::optional<double> gap = continuation(pieces[i].box, pieces[j].box);
                if (!gap)
                    continue;
                qCDebug(lcOcr).noquote()
                    << "one line cut in two joined again:" << pieces[i].text.text() << "+"
                    << pieces[j].text.text();
                pieces[i] = joinedPair(pieces[i], pieces[j], *gap, onGrid);
                pieces.erase(pieces.begin() + long(j));
                changed = true;
            }
        }
    }
    return pieces;
}

} // namespace LinePieces
