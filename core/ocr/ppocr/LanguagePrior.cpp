#include "core/ocr/ppocr/LanguagePrior.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/ppocr/PpOcrSettings.h"
#include "core/ocr/ppocr/TunedSettings.h"
#include "core/ocr/ppocr/WordPairTable.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using namespace PpOcrSettings;

bool isHan(const QString &text)
{
    if (text.size() != 1)
        return false;
    const char16_t c = text.front().unicode();
    return c >= 0x4E00 && c <= 0x9FFF;
}

// The single Han character of a neighbour, or none.
QChar hanOf(const std::vector<DecodedCharacter> &characters, size_t i)
{
    return i < characters.size() && isHan(characters[i].text) ? characters[i].text.front()
                                                              : QChar();
}

// How well the reading fits between its neighbours, in the units of the pair strengths.
int contextStrength(QChar left, const QString &reading, QChar right)
{
    const QChar c = reading.front();
    return (left.isNull() ? 0 : LanguagePrior::pairStrength(left, c)) +
        (right.isNull() ? 0 : LanguagePrior::pairStrength(c, right));
}

} // namespace

namespace LanguagePrior {

int pairStrength(QChar left, QChar right)
{
    const std::uint32_t key = std::uint32_t(left.unicode()) << 16 | right.unicode();
    const std::uint32_t *end = WordPairTable::pairs + WordPairTable::size;
    const std::uint32_t *found = std::lower_bound(WordPairTable::pairs, end, key);
    return found != end && *found == key ? WordPairTable::strengths[found - WordPairTable::pairs]
                                         : 0;
}

int choose(DecodedLine &line)
{
    const float unsure = tuned("priorUnsureBelow", priorUnsureBelow);
    const float least = tuned("priorLeastReading", priorLeastReading);
    const double weight = tuned("priorWeight", priorWeight);
    const double confirm = tuned("priorSettledMargin", priorSettledMargin);
    std::vector<DecodedCharacter> &characters = line.characters;
    int changed = 0;
    for (size_t i = 0; i < characters.size(); ++i) {
        DecodedCharacter &character = characters[i];
        if (character.probability >= unsure || !isHan(character.text))
            continue;
        const QChar left = i > 0 ? hanOf(characters, i - 1) : QChar();
        const QChar right = hanOf(characters, i + 1);
        if (left.isNull() && right.isNull())
            continue;
        auto score = [&](const QString &reading, float probability) {
            return std::log(double(probability)) + weight * contextStrength(left, reading, right);
        };
        double best = score(character.text, character.probability);
        double runnerUp = -std::numeric_limits<double>::infinity();
        const std::pair<QString, float> *chosen = nullptr;
        for (const auto &alternative : character.alternatives) {
            if (alternative.second < least || !isHan(alternative.first))
                continue;
            const double fit = score(alternative.first, alternative.second);
            if (fit > best) {
                runnerUp = best;
                best = fit;
                chosen = &alternative;
            } else {
                runnerUp = std::max(runnerUp, fit);
            }
        }
        // A reading its words settle by far is no place to check, whichever it is.
        const QString &winner = chosen ? chosen->first : character.text;
        const bool settled = best - runnerUp >= confirm && contextStrength(left, winner, right) > 0;
        if (!chosen) {
            if (settled)
                character.probability = std::max(character.probability, confirmedProbability);
            continue;
        }
        qCDebug(lcOcr).noquote() << "language prior:" << character.text << character.probability
                                 << "->" << chosen->first << chosen->second << "between" << left
                                 << "and" << right;
        const std::pair<QString, float> reading = *chosen;
        character.secondChoice = character.text;
        character.secondProbability = character.probability;
        character.text = reading.first;
        character.probability =
            settled ? std::max(reading.second, confirmedProbability) : reading.second;
        ++changed;
    }
    return changed;
}

} // namespace LanguagePrior
