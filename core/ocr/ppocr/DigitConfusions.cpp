#include "core/ocr/ppocr/DigitConfusions.h"

#include <QRegularExpression>

#include <algorithm>

namespace DigitConfusions {

QString repairPageReferences(const QString &text)
{
    // A p that starts a word, then digits or look-alikes (a range such as 20-21 included), then
    // no further letter: "pl8" qualifies, "plan" and "up1" do not.
    const QRegularExpression reference(
        QStringLiteral("(?<![A-Za-z])[pP]([0-9lIOo|]+(?:[-~][0-9lIOo|]+)*)(?![A-Za-z])"));
    QString repaired = text;
    QRegularExpressionMatchIterator matches = reference.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        QString number = match.captured(1);
        // Without a real digit, only two or more strokes (l, I, |) make a number: "pll" is "p11"
        // (no word is written so), while "pl" and "po" may be abbreviations.
        const bool hasDigit = std::any_of(number.cbegin(), number.cend(),
                                          [](QChar c) { return c >= u'0' && c <= u'9'; });
        const bool strokes =
            number.size() >= 2 && std::all_of(number.cbegin(), number.cend(), [](QChar c) {
                return c == QLatin1Char('l') || c == QLatin1Char('I') || c == QLatin1Char('|');
            });
        if (!hasDigit && !strokes)
            continue;
        for (QChar &c : number) {
            if (c == QLatin1Char('l') || c == QLatin1Char('I') || c == QLatin1Char('|'))
                c = QLatin1Char('1');
            else if (c == QLatin1Char('O') || c == QLatin1Char('o'))
                c = QLatin1Char('0');
        }
        repaired.replace(match.capturedStart(1), match.capturedLength(1), number);
    }
    return repaired;
}

} // namespace DigitConfusions
