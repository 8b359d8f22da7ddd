#include "core/Parser.h"

#include "core/ParserLog.h"

#include <QRegularExpression>
#include <QSet>
#include <QTextBoundaryFinder>

#include <utility>

namespace Parser {

namespace {

// Exactly Unicode's White_Space property, the set ICU's \s matches. PCRE2's own \s also takes
// U+180E, which Unicode stopped counting as white space, so the fixed patterns below spell it out.
QRegularExpression compiled(QString pattern)
{
    pattern.replace(QStringLiteral("\\s"), QStringLiteral("[\\t-\\r\\x{85}\\p{Z}]"));
    return QRegularExpression(pattern, QRegularExpression::UseUnicodePropertiesOption);
}

const QRegularExpression &whiteSpaceRun()
{
    static const QRegularExpression re = compiled(QStringLiteral("\\s+"));
    return re;
}

const QRegularExpression &leadingNumber()
{
    static const QRegularExpression re =
        compiled(QStringLiteral("^\\d{1,2}\\s*[.．、,，)）:：]?\\s*"));
    return re;
}

const QRegularExpression &lowerCasePage()
{
    static const QRegularExpression re = compiled(QStringLiteral("(?<![A-Za-z])p(?=\\d)"));
    return re;
}

const QRegularExpression &leadingDate()
{
    static const QRegularExpression re =
        compiled(QStringLiteral("^\\d{1,2}\\s*[.．月]\\s*\\d{1,2}\\s*日?"));
    return re;
}

const QRegularExpression &monthDay()
{
    static const QRegularExpression re =
        compiled(QStringLiteral("(\\d{1,2})\\s*[.．月/-]\\s*(\\d{1,2})"));
    return re;
}

// White space means spaces and tabs of any width; line breaks form a set of their own, because
// some steps trim them and others must leave them.
bool isWhiteSpace(QChar c)
{
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

bool isLineBreak(QChar c)
{
    return (c >= u'\n' && c <= u'\r') || c == u'\u0085' || c == u'\u2028' || c == u'\u2029';
}

bool isWhiteSpaceOrLineBreak(QChar c)
{
    return isWhiteSpace(c) || isLineBreak(c);
}

// Decoration that OCR reads around list lines: bullets, dashes, brackets, quotes, bars.
bool isBullet(QChar c)
{
    static constexpr QStringView bullets =
        u"\u2022\u00B7*\u25CB\u25CF\u25C6\u25C7\u25A0\u25A1\u25B6\u25BA\u25B8~\u2013\u2014_=+"
        u"[]\u3010\u3011\u3008\u3009<>\"'`|";
    return bullets.contains(c);
}

// What may stand between a subject name and its first task, as in 数学：… or 英语 - ….
bool isSubjectSeparator(QChar c)
{
    static constexpr QStringView separators = u" \uFF1A:\u3001,\uFF0C\u3002.-\u2014\u2013~";
    return separators.contains(c);
}

// Every member of these sets lies in the BMP, so testing UTF-16 units is testing code points.

// The first match of `re` in `text`: the whole match, then one text per capture group (empty for
// a group that took no part); nothing when there is no match.
std::optional<QStringList> firstMatch(const QString &text, const QRegularExpression &re)
{
    const QRegularExpressionMatch match = re.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    QStringList ranges;
    for (int group = 0; group <= re.captureCount(); ++group)
        ranges.append(match.captured(group));
    return ranges;
}

// A dated heading such as 3月15日作业 names the list 3.15作业, digits kept as written.
std::optional<QString> dateTitle(const QString &line)
{
    if (!line.contains(u"作业"))
        return std::nullopt;
    // Both groups are mandatory, so any match holds a month and a day.
    const std::optional<QStringList> date = firstMatch(line, monthDay());
    if (!date)
        return std::nullopt;
    return date->at(1) + u'.' + date->at(2) + QStringLiteral("作业");
}

// A line that opens with a date and names the homework (5月8日作业, 3.16 作业) heads a day's
// list. Met after a subject, as where photos of several pages are read as one list, it is the
// next page's heading, not a task: filed as one, number stripping would leave "月8日作业".
bool isDatedHeading(const QString &line)
{
    return dateTitle(line) && leadingDate().match(line).hasMatch();
}

struct SubjectOccurrence {
    QString name;
    qsizetype offset = 0;           // UTF-16 position of the name in the line
    qsizetype charactersBefore = 0; // user-perceived characters wholly before it
};

qsizetype charactersBefore(QTextBoundaryFinder &graphemes, qsizetype offset)
{
    qsizetype count = 0;
    graphemes.toStart();
    for (qsizetype end = graphemes.toNextBoundary(); end != -1 && end <= offset;
         end = graphemes.toNextBoundary())
        ++count;
    return count;
}

// The subject named earliest in the line; on a tie, the one listed first.
std::optional<SubjectOccurrence> earliestSubject(const QString &line, const QStringList &subjects)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, line);
    std::optional<SubjectOccurrence> earliest;
    for (const QString &name : subjects) {
        // An empty name would be found everywhere, yet it names no subject.
        if (name.isEmpty())
            continue;
        const qsizetype offset = line.indexOf(name);
        if (offset < 0)
            continue;
        const qsizetype before = charactersBefore(graphemes, offset);
        if (!earliest || before < earliest->charactersBefore)
            earliest = SubjectOccurrence{name, offset, before};
    }
    return earliest;
}

// A subject name this close to the start opens the subject, allowing for 1. or 【 before it.
constexpr qsizetype maxCharactersBeforeSubject = 3;

// The steps below work on text with its confidences, so that every character of an entry keeps
// the value recognition gave it; the plain-text operations run the same steps at full confidence.

ScoredText cleaned(const ScoredText &text)
{
    // A run of white space becomes one space, as unsure as the least sure character it replaces.
    return text.trimmed(isWhiteSpaceOrLineBreak)
        .trimmed(isBullet)
        .replacedAll(whiteSpaceRun(), QStringLiteral(" "))
        .trimmed(isWhiteSpace);
}

ScoredText withoutLeadingNumber(const ScoredText &text)
{
    ScoredText result = text.trimmed(isWhiteSpace);
    // A bare number such as 12 is the task itself, not its list number.
    const QRegularExpressionMatch number = leadingNumber().match(result.text());
    if (number.hasMatch() && number.capturedLength() < result.size())
        result = result.sliced(number.capturedLength());
    // A capital P keeps the value of the p it replaces: the rule is sure, the reading is not.
    return result.replacedAll(lowerCasePage(), QStringLiteral("P")).trimmed(isWhiteSpace);
}

QList<ScoredText> splitTasks(const ScoredText &text)
{
    QList<ScoredText> pieces{text};
    for (const QString &separator :
         {QStringLiteral("；"), QStringLiteral(";"), QStringLiteral("&&")}) {
        QList<ScoredText> split;
        for (const ScoredText &piece : std::as_const(pieces))
            split += piece.split(separator);
        pieces = std::move(split);
    }
    QList<ScoredText> tasks;
    for (const ScoredText &piece : std::as_const(pieces)) {
        ScoredText task = cleaned(piece);
        if (!task.isEmpty())
            tasks.append(std::move(task));
    }
    return tasks;
}

void appendTasks(const ScoredText &text, const QString &subject, QSet<QString> &seenKeys,
                 QList<SlateItem> &items)
{
    for (const ScoredText &piece : splitTasks(text)) {
        const ScoredText task = withoutLeadingNumber(cleaned(piece));
        if (task.isEmpty())
            continue;
        const QString key = subject + u'|' + task.text();
        if (seenKeys.contains(key))
            continue;
        seenKeys.insert(key);
        SlateItem item(subject, task.text());
        item.textConfidence = task.confidence();
        items.append(std::move(item));
    }
}

QList<ScoredText> fullyConfident(const QStringList &lines)
{
    QList<ScoredText> scored;
    for (const QString &line : lines)
        scored.append(ScoredText(line));
    return scored;
}

} // namespace

const QStringList &defaultSubjects()
{
    static const QStringList subjects{
        QStringLiteral("语文"), QStringLiteral("数学"),       QStringLiteral("英语"),
        QStringLiteral("物理"), QStringLiteral("化学"),       QStringLiteral("生物"),
        QStringLiteral("历史"), QStringLiteral("地理"),       QStringLiteral("政治"),
        QStringLiteral("道法"), QStringLiteral("道德与法治"), QStringLiteral("科学"),
        QStringLiteral("社会"), QStringLiteral("信息"),       QStringLiteral("体育"),
        QStringLiteral("美术"), QStringLiteral("音乐"),
    };
    return subjects;
}

Result parse(const QStringList &lines, const QStringList &subjects)
{
    return parseTextPages({lines}, subjects);
}

Result parseTextPages(const QList<QStringList> &pages, const QStringList &subjects)
{
    QList<QList<ScoredText>> scored;
    for (const QStringList &page : pages)
        scored.append(fullyConfident(page));
    Result result = parsePages(scored, subjects);
    // Typed or pasted text was not recognised: nothing to mark.
    for (SlateItem &item : result.items)
        item.textConfidence.clear();
    return result;
}

Result parseRecognised(const QList<ScoredText> &lines, const QStringList &subjects)
{
    return parsePages({lines}, subjects);
}

Result parsePages(const QList<QList<ScoredText>> &pages, const QStringList &subjects)
{
    const QStringList &vocabulary = subjects.isEmpty() ? defaultSubjects() : subjects;
    Result result;
    QString currentSubject;
    QSet<QString> seenKeys;
    for (qsizetype page = 0; page < pages.size(); ++page) {
        // Until a later page opens a subject, its lines continue the previous page's last one,
        // except the page's own heading (今日作业, 初二（3）班 4月2日作业), skipped as on a first
        // page.
        bool beforeFirstSubject = page > 0;
        for (const ScoredText &line : pages[page]) {
            const ScoredText t = cleaned(line);
            if (t.isEmpty())
                continue;
            dbg(QStringLiteral("LINE: ") + t.text());
            if (!result.title)
                result.title = dateTitle(t.text());

            const std::optional<SubjectOccurrence> subject = earliestSubject(t.text(), vocabulary);
            if (subject && subject->charactersBefore <= maxCharactersBeforeSubject) {
                ScoredText rest =
                    t.sliced(subject->offset + subject->name.size()).trimmed(isSubjectSeparator);
                // A date right after the subject (英语 3.15 …) dates the list, it is not a task.
                rest = rest.removedFirst(leadingDate());
                if (!rest.isEmpty())
                    appendTasks(rest, subject->name, seenKeys, result.items);
                currentSubject = subject->name;
                beforeFirstSubject = false;
            } else if (!currentSubject.isEmpty() && !isDatedHeading(t.text()) &&
                       !(beforeFirstSubject && t.text().contains(u"作业"))) {
                appendTasks(t, currentSubject, seenKeys, result.items);
            }
        }
    }
    return result;
}

QString clean(const QString &text)
{
    return cleaned(ScoredText(text)).text();
}

QString stripLeadingNumber(const QString &text)
{
    return withoutLeadingNumber(ScoredText(text)).text();
}

QStringList splitInline(const QString &text)
{
    QStringList tasks;
    for (const ScoredText &task : splitTasks(ScoredText(text)))
        tasks.append(task.text());
    return tasks;
}

void dbg(const QString &message)
{
    qCDebug(lcParser).noquote() << QStringLiteral("[parse] ") + message;
}

} // namespace Parser
