#pragma once

#include "core/ScoredText.h"
#include "core/ocr/ppocr/TextQuad.h"

#include <vector>

// One read line box: where the detection network found it and what it read there.
struct LinePiece {
    TextQuad box;
    ScoredText text;
};

// The detection network sometimes cuts one printed line in two where it bends or fades; each
// piece's box is grown past the cut, so the character at the seam is read in both. Pieces that
// continue one another (the same slant, the same band, the second starting where the first
// ends) are joined again into one line, the seam's repeated characters read once.
namespace LinePieces {

// The pieces in their order, those that continue another joined to it. On a grid page
// (`onGrid`) pieces in neighbouring cells are joined without a space.
std::vector<LinePiece> joined(std::vector<LinePiece> pieces, bool onGrid = false);

} // namespace LinePieces
