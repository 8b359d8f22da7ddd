#pragma once

#include "core/ScoredText.h"
#include "core/SlateItem.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Turns the recognised lines of one homework photo into entries filed under subjects, plus a
// list title taken from a dated heading. Stateless.
namespace Parser {

struct Result {
    QList<SlateItem> items;
    std::optional<QString> title;
};

// The built-in vocabulary, used when a caller passes no subjects.
const QStringList &defaultSubjects();

// Items from plain lines carry no confidences.
Result parse(const QStringList &lines, const QStringList &subjects = {});
// Recognised lines: each item's text carries one confidence per UTF-16 unit, taken from the
// characters it came from. A space that stands for a run of white space takes the lowest value of
// the run; a p made a capital P keeps the p's.
Result parseRecognised(const QList<ScoredText> &lines, const QStringList &subjects = {});
// Several photos of one list, each page's recognised lines in order: parsed as one list, where a
// line naming the homework (作业) before a later page's first subject is that page's heading.
Result parsePages(const QList<QList<ScoredText>> &pages, const QStringList &subjects = {});
// The same for plain lines, page by page (the recognised text parsed again).
Result parseTextPages(const QList<QStringList> &pages, const QStringList &subjects = {});
QString clean(const QString &text);
QString stripLeadingNumber(const QString &text);
QStringList splitInline(const QString &text);
// "[parse] " and the message at debug level in slatebook.parser (off by default), one call per
// non-empty input line.
void dbg(const QString &message);

} // namespace Parser
