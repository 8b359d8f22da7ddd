#include "core/ocr/OCR.h"

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

// Across a slanted line the test is not transitive, which std::sort and std::stable_sort do not
// allow. Insertion sort applies it as it stands: an observation moves ahead only of those it
// reads before, so pairs the test leaves unordered keep recognition's order.
QList<Observation> inReadingOrder(QList<Observation> observations)
{
    for (qsizetype i = 1; i < observations.size(); ++i) {
        Observation moving = std::move(observations[i]);
        qsizetype at = i;
        while (at > 0 && readBefore(moving, observations[at - 1])) {
            observations[at] = std::move(observations[at - 1]);
            --at;
        }
        observations[at] = std::move(moving);
    }
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
