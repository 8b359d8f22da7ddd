#include "core/ocr/ppocr/CtcDecoder.h"

#include <algorithm>

float DecodedLine::weakestProbability() const
{
    float weakest = characters.empty() ? 0.0f : 1.0f;
    for (const DecodedCharacter &character : characters)
        weakest = std::min(weakest, character.probability);
    return weakest;
}

namespace {

// The best class other than `best` at one step.
int runnerUp(const float *row, int classes, int best)
{
    int second = best == 0 ? 1 : 0;
    for (int c = 0; c < classes; ++c) {
        if (c != best && row[c] > row[second])
            second = c;
    }
    return second;
}

void noteChoices(DecodedCharacter &character, const float *row, int classes, int best,
                 const std::vector<QString> &alphabet)
{
    const int second = runnerUp(row, classes, best);
    character.probability = row[best];
    character.secondChoice =
        second == 0 || size_t(second) > alphabet.size() ? QString() : alphabet[size_t(second) - 1];
    character.secondProbability = row[second];
}

} // namespace

namespace CtcDecoder {

DecodedLine decode(const float *probabilities, int steps, int classes,
                   const std::vector<QString> &alphabet)
{
    DecodedLine line;
    line.spaceProbability.reserve(size_t(steps));
    double confidenceSum = 0.0;
    int previous = 0;
    for (int step = 0; step < steps; ++step) {
        const float *row = probabilities + size_t(step) * size_t(classes);
        int best = int(std::max_element(row, row + classes) - row);
        line.spaceProbability.push_back(row[classes - 1]);
        line.weakestStep = std::min(line.weakestStep, row[best]);
        // A class beyond the alphabet cannot be written; read it as a blank.
        if (size_t(best) > alphabet.size())
            best = 0;
        if (best != 0 && best == previous) {
            DecodedCharacter &character = line.characters.back();
            character.lastStep = step;
            if (row[best] > character.probability)
                noteChoices(character, row, classes, best, alphabet);
        } else if (best != 0) {
            line.characters.push_back({alphabet[size_t(best) - 1], step, step, 0.0f, {}, 0.0f});
            noteChoices(line.characters.back(), row, classes, best, alphabet);
            confidenceSum += row[best];
        }
        previous = best;
    }
    if (!line.characters.empty())
        line.confidence = float(confidenceSum / double(line.characters.size()));
    return line;
}

} // namespace CtcDecoder
