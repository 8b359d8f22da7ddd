#pragma once

#include <QString>

#include <vector>

namespace TextAlignment {

// For each UTF-16 unit of `from`, the position of the unit of `to` that an optimal alignment (edit
// distance with unit costs) pairs it with, kept or replaced, or -1 where the unit was removed.
// Among optimal alignments the one that pairs from the ends wins: the edits this system makes and
// measures mostly trim, insert and replace.
std::vector<qsizetype> pairedUnits(const QString &from, const QString &to);

} // namespace TextAlignment
