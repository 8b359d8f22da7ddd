#include "core/ocr/ppocr/CtcDecoder.h"

#include "core/ocr/ppocr/PpOcrSettings.h"

#include <algorithm>
#include <array>

float DecodedLine::weakestProbability() const
{
    float weakest = characters.empty() ? 0.0f : 1.0f;
    for (const DecodedCharacter &character : characters)
        weakest = std::min(weakest, character.probability);
    return weakest;
}

QString DecodedLine::text() const
{
    QString joined;
    for (const DecodedCharacter &character : characters)
        joined += character.text;
    return joined;
}

namespace {

// The best characters at one step other than the chosen one, the same mark in the other width
// ("：" for ":") and the blank, most probable first: at a character's surest step the blank is
// often the runner-up, yet it is no other reading of the glyph.
std::vector<int> othersAt(const float *row, int classes, int best,
                          const std::vector<QString> &alphabet)
{
    auto folded = [&alphabet](int c) {
        return size_t(c) <= alphabet.size()
            ? alphabet[size_t(c) - 1].normalized(QString::NormalizationForm_KC)
            : QString();
    };
    // One more than kept: only one can be the other width of the chosen mark.
    std::array<int, PpOcrSettings::alternativesKept + 1> top;
    top.fill(-1);
    for (int c = 1; c < classes; ++c) {
        if (c == best)
            continue;
        for (size_t k = 0; k < top.size(); ++k) {
            if (top[k] < 0 || row[c] > row[top[k]]) {
                std::copy_backward(top.begin() + long(k), top.end() - 1, top.end());
                top[k] = c;
                break;
            }
        }
    }
    const QString chosen = folded(best);
    std::vector<int> others;
    for (int c : top) {
        if (c >= 0 && folded(c) != chosen && others.size() < PpOcrSettings::alternativesKept)
            others.push_back(c);
    }
    return others;
}

void noteChoices(DecodedCharacter &character, const float *row, int classes, int best,
                 const std::vector<QString> &alphabet)
{
    const std::vector<int> others = othersAt(row, classes, best, alphabet);
    character.probability = row[best];
    character.alternatives.clear();
    for (int c : others) {
        if (size_t(c) <= alphabet.size())
            character.alternatives.emplace_back(alphabet[size_t(c) - 1], row[c]);
    }
    const int second = others.empty() ? -1 : others.front();
    const bool written = second > 0 && size_t(second) <= alphabet.size();
    character.secondChoice = written ? alphabet[size_t(second) - 1] : QString();
    character.secondProbability = second > 0 ? row[second] : 0.0f;
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
            line.characters.push_back({alphabet[size_t(best) - 1], step, step, 0.0f, {}, 0.0f, {}});
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
