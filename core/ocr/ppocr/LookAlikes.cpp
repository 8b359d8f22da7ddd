#include "core/ocr/ppocr/LookAlikes.h"

#include "core/ocr/ppocr/PpOcrSettings.h"

#include <QRegularExpression>

namespace {

const QString fullWidthColon = QStringLiteral("\uFF1A");
const QString fullWidthSemicolon = QStringLiteral("\uFF1B");

bool isColon(const QString &text)
{
    return text == fullWidthColon || text == QLatin1String(":");
}

bool isSemicolon(const QString &text)
{
    return text == fullWidthSemicolon || text == QLatin1String(";");
}

} // namespace

namespace LookAlikes {

void preferSemicolons(DecodedLine &line)
{
    std::vector<DecodedCharacter> &characters = line.characters;
    bool colonSeen = false;
    for (size_t i = 0; i < characters.size(); ++i) {
        DecodedCharacter &character = characters[i];
        if (!isColon(character.text))
            continue;
        // The subject's colon: the first one, close to the start (a subject name of up to five
        // characters after a list number such as "12.").
        const bool leading = !colonSeen && i <= PpOcrSettings::subjectColonReach;
        colonSeen = true;
        // A colon ending the line introduces what follows on the next lines.
        const bool last = i + 1 == characters.size();
        if (leading || last || !isSemicolon(character.secondChoice) ||
            character.secondProbability < PpOcrSettings::semicolonRunnerUp)
            continue;
        character.text = fullWidthSemicolon;
        std::swap(character.probability, character.secondProbability);
        character.secondChoice = fullWidthColon;
    }
}

QString repairTextbookWords(const QString &text)
{
    // The word starts a word, its number or single capital letter follows with or without a
    // space, and no lower-case letter follows ("Units", "Party" and "unit4th" stay as they
    // are; "unit4Section" is two textbook words run together).
    static const QRegularExpression word(QStringLiteral(
        "(?<![A-Za-z])((?i:unit|module|lesson|part|section|page)) ?([0-9]+|[A-H])(?![a-z])"));
    QString repaired;
    qsizetype from = 0;
    QRegularExpressionMatchIterator matches = word.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const QString number = match.captured(2);
        // A part's letter is a capital standing alone: "Part AB" is not a part.
        const qsizetype end = match.capturedEnd();
        if (number.front().isLetter() && end < text.size() && text[end].isLetter())
            continue;
        QString name = match.captured(1).toLower();
        name[0] = name[0].toUpper();
        // A word run on from the number before it ("Unit 2Section A") gets its space back.
        const qsizetype start = match.capturedStart();
        const bool afterNumber =
            start > 0 && text[start - 1].isDigit() && text[start - 1].unicode() < 128;
        repaired += text.mid(from, start - from) + (afterNumber ? QStringLiteral(" ") : QString()) +
            name + QLatin1Char(' ') + number;
        from = end;
    }
    return repaired + text.mid(from);
}

} // namespace LookAlikes
