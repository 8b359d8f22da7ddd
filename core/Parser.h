#pragma once

#include "core/SlateItem.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <optional>

// Turns the recognised lines of one homework photo into entries filed under subjects, plus a
// list title taken from a dated heading. Stateless apart from the debug switch.
namespace Parser {

struct Result {
    QList<SlateItem> items;
    std::optional<QString> title;
};

// The built-in vocabulary, used when a caller passes no subjects.
const QStringList &defaultSubjects();

// Off at start; when on, the parser writes one "[parse] " line per non-empty line to stderr.
extern std::atomic<bool> debug;

Result parse(const QStringList &lines, const QStringList &subjects = {});
QString clean(const QString &text);
QString stripLeadingNumber(const QString &text);
QStringList splitInline(const QString &text);
std::optional<QStringList> firstMatch(const QString &text, const QString &pattern);
void dbg(const QString &message);

} // namespace Parser
