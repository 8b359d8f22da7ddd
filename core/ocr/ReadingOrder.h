#pragma once

#include "core/ScoredText.h"
#include "core/ocr/OcrEngine.h"

#include <QList>
#include <QStringList>

// The order in which a reader takes the lines of a page, whatever order an engine found them in.
namespace ReadingOrder {

// Top to bottom, then left to right within 0.02 of the image height; stable for any input.
QList<Observation> sorted(QList<Observation> observations);

// Best candidate of each observation in reading order; observations without one are skipped.
QStringList bestLines(QList<Observation> observations);
// The same lines with the confidence of each character (full where the engine gives none).
QList<ScoredText> bestScoredLines(QList<Observation> observations);

} // namespace ReadingOrder
