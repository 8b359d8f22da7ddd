#pragma once

#include "core/ocr/OcrEngine.h"

#include <QList>
#include <QStringList>

// The order in which a reader takes the lines of a page, whatever order an engine found them in.
namespace ReadingOrder {

// Top to bottom, then left to right within 0.02 of the image height; stable for any input.
QList<Observation> sorted(QList<Observation> observations);

// Best candidate of each observation in reading order; observations without one are skipped.
QStringList bestLines(QList<Observation> observations);

} // namespace ReadingOrder
