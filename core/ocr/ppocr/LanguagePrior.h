#pragma once

#include "core/ocr/ppocr/CtcDecoder.h"

// Look-alike Han characters (史 and 男 or 虫, 习 and 刁, 诵 and 通) differ by a stroke that
// handwriting, chalk or a dim photo blurs; the network then gives the right one as an
// alternative. Where it was unsure, the character its neighbours form Chinese words with is
// chosen among its readings: the network's probability of each reading counts with how often
// it stands beside the neighbours inside words (WordPairTable). A surely read character is
// never changed.
namespace LanguagePrior {

// Chooses again among the readings of the line's unsure Han characters, left to right; a
// changed character keeps its network probability and has the first reading as its runner-up; a
// reading that its words settle by far gets at least confirmedProbability, as no place to check.
// Returns how many characters changed.
int choose(DecodedLine &line);

// How often the two characters stand side by side inside words: a rounded log2 of their count
// in the word list, 0 when they never do.
int pairStrength(QChar left, QChar right);

} // namespace LanguagePrior
