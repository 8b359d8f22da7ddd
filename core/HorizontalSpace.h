#pragma once

#include <QString>

// Removes leading and trailing blanks: space, tab and every other Unicode space separator (the
// ideographic space U+3000 included). Line breaks are not blanks here and stay.
QString trimHorizontalSpace(const QString &text);

// A list name or entry title as stored: every line break (LF, CR, CR LF, vertical tab, form
// feed, NEL, the Unicode line and paragraph separators) becomes one space, then blanks are
// trimmed. Names and titles are single lines everywhere they are shown or matched.
QString singleLine(const QString &text);
