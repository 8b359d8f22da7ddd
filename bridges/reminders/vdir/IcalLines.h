#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <functional>

// Calls `line` with each content line of iCalendar text, unfolded: a physical line that starts
// with a space or a tab continues the one before it, without the line break and that one blank.
// Line ends are LF or CRLF; trailing blanks are dropped, blank lines skipped, and a NUL ends the
// text. One pass, whatever the length of a line. Stops early when `line` returns false; returns
// whether it went through the whole text.
bool forEachContentLine(const QByteArray &text, const std::function<bool(QByteArrayView)> &line);
