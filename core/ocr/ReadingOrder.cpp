#include "core/ocr/OCR.h"

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

namespace OCR {

// Across a slanted line the test is not transitive, so pairs it leaves unordered keep
// recognition's order.
QList<Observation> inReadingOrder(QList<Observation> observations)
{
    stableSort(observations, readBefore);
    return observations;
}

QStringList linesInReadingOrder(QList<Observation> observations)
{
    QStringList lines;
    for (const Observation &observation : inReadingOrder(std::move(observations))) {
        if (!observation.candidates.isEmpty())
            lines.append(observation.candidates.front());
    }
    return lines;
}

} // namespace OCR
