#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QStringList>

// One recognised line as the front end orders it.
struct Observation {
    // Normalised to 0..1 across the image, origin at the lower-left corner (larger y = higher).
    QRectF box;
    // Best first; may be empty.
    QStringList candidates;
    // How sure the engine is of each UTF-16 unit of the best candidate, 0..1; empty when the
    // engine does not say.
    QList<float> confidence = {};
};

// A recognition engine takes an upright bitmap and the ordered language list and returns the
// lines it found, in any order. Engines must be safe to call from several threads at once.
class OcrEngine {
public:
    virtual ~OcrEngine() = default;
    virtual QList<Observation> recognize(const QImage &image, const QStringList &languages) = 0;
};
