#pragma once

#include <QString>

#include <utility>
#include <vector>

// One decoded character with the run of time steps it was read at (one step covers about 8
// pixels of the recognition input).
struct DecodedCharacter {
    QString text;
    int firstStep = 0;
    int lastStep = 0;
    // The network's probability for the character at the step where it was surest, and the
    // best other character there (the blank is no other reading of a glyph; empty when the
    // network has no other class the alphabet writes). The steps at the edges of a run are
    // transitions from or to the blank and weaker for any character, so the mean or the lowest
    // would doubt wide, clearly read characters; a character that no step saw clearly is the one
    // to doubt. Look-alikes such as ； and ： or l and 1 are told apart by the runner-up and the
    // context.
    float probability = 0.0f;
    QString secondChoice;
    float secondProbability = 0.0f;
    // The best few other characters there, most probable first (the runner-up among them): the
    // readings among which the language prior chooses where the network was unsure.
    std::vector<std::pair<QString, float>> alternatives;
};

// What the recognition network read on one strip.
struct DecodedLine {
    std::vector<DecodedCharacter> characters;
    // Probability of the space class at every time step: the network's own hint where the
    // spaces it rarely writes belong.
    std::vector<float> spaceProbability;
    // Mean probability of the decoded characters; 0 when none was read.
    float confidence = 0.0f;

    // The lowest probability of the best class at any step, blanks included: a character the
    // network half-saw between two others (a second 1 merged into the first) leaves such a step
    // even though no written character is unsure.
    float weakestStep = 1.0f;

    // The least sure character's probability; 0 when none was read.
    float weakestProbability() const;
    // The characters' texts in order, without restored spaces.
    QString text() const;
};

// Greedy CTC decoding: best class per step, repeats merged, blanks (class 0) dropped.
namespace CtcDecoder {

// probabilities: steps x classes, row-major; class c > 0 is alphabet[c - 1], the last class is
// the space.
DecodedLine decode(const float *probabilities, int steps, int classes,
                   const std::vector<QString> &alphabet);

} // namespace CtcDecoder
