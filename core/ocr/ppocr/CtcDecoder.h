#pragma once

#include <QString>

#include <vector>

// One decoded character with the run of time steps it was read at (one step covers about 8
// pixels of the recognition input).
struct DecodedCharacter {
    QString text;
    int firstStep = 0;
    int lastStep = 0;
    // The network's probability for the character at the step where it was surest. The steps at
    // the edges of a run are transitions from or to the blank and weaker for any character, so the
    // mean or the lowest would doubt wide, clearly read characters; a character that no step saw
    // clearly is the one to doubt.
    float probability = 0.0f;
};

// What the recognition network read on one strip.
struct DecodedLine {
    std::vector<DecodedCharacter> characters;
    // Probability of the space class at every time step: the network's own hint where the
    // spaces it rarely writes belong.
    std::vector<float> spaceProbability;
    // Mean probability of the decoded characters; 0 when none was read.
    float confidence = 0.0f;
};

// Greedy CTC decoding: best class per step, repeats merged, blanks (class 0) dropped.
namespace CtcDecoder {

// probabilities: steps x classes, row-major; class c > 0 is alphabet[c - 1], the last class is
// the space.
DecodedLine decode(const float *probabilities, int steps, int classes, const std::vector<QString> &alphabet);

} // namespace CtcDecoder
