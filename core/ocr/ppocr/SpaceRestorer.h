#pragma once

#include "core/ocr/ppocr/CtcDecoder.h"

#include <QImage>
#include <QString>

// The recognition network drops most spaces ("p12第3题" for "p12 第3题"), and entries are matched
// by their exact text. Time steps cannot tell a space from a wide letter, but the ink can: a
// space is put back where the empty columns between two character cells (the em of Han
// characters, the common advance of digits, the ink of Latin letters) are wide for the line and
// for the strip's height, where the network itself half-saw a space and the gap is clear, or,
// between Latin letters and digits, where the gap is a good share of the letters' advance.
namespace SpaceRestorer {

// strip: the line as the network saw it (at its input height, before padding); pixelsPerStep:
// the width of one output time step in that strip. On a grid page (`onGrid`) a space next to a
// Han character is an empty cell: judged by the distance between the characters' centres
// against the cell pitch, not by the paper between their inks.
QString restore(const DecodedLine &line, const QImage &strip, double pixelsPerStep,
                bool onGrid = false);

} // namespace SpaceRestorer
