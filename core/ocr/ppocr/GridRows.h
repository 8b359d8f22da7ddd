#pragma once

#include "core/ocr/ppocr/TextQuad.h"

#include <vector>

// On a grid page the characters stand one in a cell, as far apart down a column as along a row,
// so the detection network may take the first cells of several rows (a bullet, the first
// character of each subject) for one line written downwards. Such a box, much taller than wide
// beside lines written across, is cut at the rows those lines occupy, so each piece can join
// its row again (LinePieces). A box about as tall as wide holds one cell (a bullet, a character)
// and the direction of its longer side says nothing: it is set upright.
namespace GridRows {

std::vector<TextQuad> upright(const std::vector<TextQuad> &boxes);

} // namespace GridRows
