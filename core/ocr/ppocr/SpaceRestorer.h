#pragma once

#include "core/ocr/ppocr/CtcDecoder.h"

#include <QImage>
#include <QString>

// The recognition network drops most spaces ("p12第3题" for "p12 第3题"), and entries are matched
// by their exact text. Time steps cannot tell a space from a wide letter, but the ink can: a
// space is put back where the empty columns between two characters are wide for the line and
// for the strip's height, or where the network itself half-saw a space and the gap is clear.
namespace SpaceRestorer {

// strip: the line as the network saw it (at its input height, before padding); pixelsPerStep:
// the width of one output time step in that strip.
QString restore(const DecodedLine &line, const QImage &strip, double pixelsPerStep);

} // namespace SpaceRestorer
