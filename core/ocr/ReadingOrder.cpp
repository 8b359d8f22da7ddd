#include "core/ocr/ReadingOrder.h"

#include "core/StableSort.h"

#include <cmath>

namespace {

// Lines whose vertical centres lie within this share of the image height are one printed line.
constexpr double sameLineTolerance = 0.02;

bool readBefore(const Observation &a, const Observation &b)
{
    const double midA = a.box.center().y();
    const double midB = b.box.center().y();
    if (std::abs(midA - midB) > sameLineTolerance)
        return midA > midB;
    return a.box.left() < b.box.left();
}

} // namespace

namespace ReadingOrder {

// Across a slanted line the test is not transitive, so pairs it leaves unordered keep
// recognition's order.
QList<Observation> sorted(QList<Observation> observations)
{
    stableSort(observations, readBefore);
    return observations;
}

QStringList bestLines(QList<Observation> observations)
{
    QStringList lines;
    for (const ScoredText &line : bestScoredLines(std::move(observations)))
        lines.append(line.text());
    return lines;
}

QList<ScoredText> bestScoredLines(QList<Observation> observations)
{
    QList<ScoredText> lines;
    for (const Observation &observation : sorted(std::move(observations))) {
        if (!observation.candidates.isEmpty())
            lines.append(ScoredText(observation.candidates.front(), observation.confidence));
    }
    return lines;
}

} // namespace ReadingOrder
