#include "core/ocr/ppocr/CtcDecoder.h"

#include <algorithm>

namespace CtcDecoder {

DecodedLine decode(const float *probabilities, int steps, int classes, const std::vector<QString> &alphabet)
{
    DecodedLine line;
    line.spaceProbability.reserve(size_t(steps));
    double confidenceSum = 0.0;
    int previous = 0;
    for (int step = 0; step < steps; ++step) {
        const float *row = probabilities + size_t(step) * size_t(classes);
        int best = int(std::max_element(row, row + classes) - row);
        line.spaceProbability.push_back(row[classes - 1]);
        // A class beyond the alphabet cannot be written; read it as a blank.
        if (size_t(best) > alphabet.size())
            best = 0;
        if (best != 0 && best == previous) {
            DecodedCharacter &character = line.characters.back();
            character.lastStep = step;
            character.probability = std::max(character.probability, row[best]);
        } else if (best != 0) {
            line.characters.push_back({alphabet[size_t(best) - 1], step, step, row[best]});
            confidenceSum += row[best];
        }
        previous = best;
    }
    if (!line.characters.empty())
        line.confidence = float(confidenceSum / double(line.characters.size()));
    return line;
}

} // namespace CtcDecoder
