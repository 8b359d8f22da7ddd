#include "core/ocr/ppocr/LookAlikes.h"

#include "core/Parser.h"
#include "core/ocr/ppocr/PpOcrSettings.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

using namespace PpOcrSettings;

const QString fullWidthColon = QStringLiteral("\uFF1A");
const QString fullWidthSemicolon = QStringLiteral("\uFF1B");

bool isSemicolon(const QString &text)
{
    return text == fullWidthSemicolon || text == QLatin1String(";");
}

bool startsWithSubject(QStringView text)
{
    const QStringList &subjects = Parser::defaultSubjects();
    return std::any_of(subjects.begin(), subjects.end(),
                       [text](const QString &subject) { return text.startsWith(subject); });
}

bool endsWithSubject(QStringView text)
{
    const QStringList &subjects = Parser::defaultSubjects();
    return std::any_of(subjects.begin(), subjects.end(),
                       [text](const QString &subject) { return text.endsWith(subject); });
}

// A homework verb, a subject or a page reference opens the text.
bool opensTask(QStringView text)
{
    text = text.trimmed();
    const bool verb = std::any_of(taskVerbs.begin(), taskVerbs.end(), [text](const char16_t *v) {
        return text.startsWith(QStringView(v));
    });
    const bool page = text.size() >= 2 && (text[0] == u'p' || text[0] == u'P') && text[1] >= u'0' &&
        text[1] <= u'9';
    return verb || page || startsWithSubject(text);
}

// A task already stands in the text: a homework verb anywhere in it.
bool holdsTask(QStringView text)
{
    return std::any_of(taskVerbs.begin(), taskVerbs.end(),
                       [text](const char16_t *v) { return text.contains(QStringView(v)); });
}

QString textFrom(const std::vector<DecodedCharacter> &characters, size_t first)
{
    QString text;
    for (size_t i = first; i < characters.size(); ++i)
        text += characters[i].text;
    return text;
}

// What may stand between the start of a task and a textbook word: a list number, a bullet, a
// subject's colon, a separating mark.
bool opensAfter(QStringView before)
{
    before = before.trimmed();
    static const QRegularExpression opening(
        QStringLiteral("(^|[：:；;，,、。.)）】\\]·•①-⑳]|^\\d{1,2})$"));
    return opening.match(before).hasMatch() || endsWithSubject(before);
}

// The case of a word is told by its first letter, which the network doubted.
bool caseUnsureAt(const ScoredText &text, qsizetype start)
{
    return start < text.confidence().size() && text.confidence()[start] < surelyCased;
}

const QRegularExpression &textbookWord()
{
    // The word starts a word, its number or single capital letter follows with or without a
    // space, and no lower-case letter follows ("Units", "Party" and "unit4th" stay as they
    // are; "unit4Section" is two textbook words run together).
    static const QRegularExpression word = [] {
        QStringList names;
        for (const char *name : textbookWords)
            names.append(QLatin1String(name));
        return QRegularExpression(QStringLiteral("(?<![A-Za-z])((?i:%1)) ?([0-9]+|[A-H])(?![a-z])")
                                      .arg(names.join(QLatin1Char('|'))));
    }();
    return word;
}

} // namespace

namespace LookAlikes {

void preferSemicolons(DecodedLine &line)
{
    std::vector<DecodedCharacter> &characters = line.characters;
    QString before;
    bool colonSeen = false;
    for (size_t i = 0; i < characters.size(); before += characters[i].text, ++i) {
        DecodedCharacter &character = characters[i];
        if (character.text != fullWidthColon)
            continue;
        // The subject's colon: the first one, close to the start (a subject name of up to five
        // characters after a list number such as "12."), with no task before it, or one right
        // after a subject's name.
        const bool leading =
            (!colonSeen && i <= subjectColonReach && !holdsTask(before)) || endsWithSubject(before);
        colonSeen = true;
        // A colon ending the line introduces what follows on the next lines.
        const bool last = i + 1 == characters.size();
        if (leading || last || !isSemicolon(character.secondChoice))
            continue;
        const float needed =
            opensTask(textFrom(characters, i + 1)) ? taskSemicolonRunnerUp : semicolonRunnerUp;
        if (character.secondProbability < needed)
            continue;
        character.text = fullWidthSemicolon;
        std::swap(character.probability, character.secondProbability);
        character.secondChoice = fullWidthColon;
    }
    // A semicolon between a task and the next is what the context asks for, however the two
    // marks' probabilities were split: no place to check.
    before.clear();
    for (size_t i = 0; i + 1 < characters.size(); before += characters[i].text, ++i) {
        DecodedCharacter &character = characters[i];
        if (isSemicolon(character.text) && i > subjectColonReach && holdsTask(before) &&
            opensTask(textFrom(characters, i + 1)))
            character.probability = std::max(character.probability, confirmedProbability);
    }
}

void settleBullet(DecodedLine &line)
{
    if (line.characters.size() < 2)
        return;
    DecodedCharacter &first = line.characters.front();
    auto isDot = [](const QString &text) {
        return std::any_of(bulletDots.begin(), bulletDots.end(),
                           [&text](const char16_t *dot) { return text == QStringView(dot); });
    };
    if (!isDot(first.text))
        return;
    float dots = first.probability;
    for (const auto &[reading, probability] : first.alternatives)
        dots += isDot(reading) ? probability : 0.0f;
    first.text = QString::fromUtf16(bulletDots.front());
    first.probability = std::clamp(dots, confirmedProbability, 1.0f);
}

void settleDigits(DecodedLine &line)
{
    auto isDigit = [](const QString &text) {
        return text.size() == 1 && text.front() >= u'0' && text.front() <= u'9';
    };
    for (DecodedCharacter &character : line.characters) {
        if (isDigit(character.text) && character.probability >= digitSettledAbove &&
            !isDigit(character.secondChoice))
            character.probability = std::max(character.probability, confirmedProbability);
    }
}

QString repairTextbookWords(const ScoredText &scored)
{
    const QString &text = scored.text();
    QString repaired;
    qsizetype from = 0;
    QRegularExpressionMatchIterator matches = textbookWord().globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const QString number = match.captured(2);
        // A part's letter is a capital standing alone: "Part AB" is not a part.
        const qsizetype end = match.capturedEnd();
        if (number.front().isLetter() && end < text.size() && text[end].isLetter())
            continue;
        const qsizetype start = match.capturedStart();
        QString name = match.captured(1);
        // Letters after the first in both cases ("LeSSon") are a misread: no textbook prints so.
        const QString rest = name.mid(1);
        const bool mixed = rest != rest.toLower() && rest != rest.toUpper();
        if (mixed || opensAfter(QStringView(text).first(start)) || caseUnsureAt(scored, start)) {
            name = name.toLower();
            name[0] = name[0].toUpper();
        }
        // A word run on from the number before it ("Unit 2Section A") gets its space back.
        const bool afterNumber =
            start > 0 && text[start - 1].isDigit() && text[start - 1].unicode() < 128;
        repaired += text.mid(from, start - from) + (afterNumber ? QStringLiteral(" ") : QString()) +
            name + QLatin1Char(' ') + number;
        from = end;
    }
    return repaired + text.mid(from);
}

} // namespace LookAlikes
