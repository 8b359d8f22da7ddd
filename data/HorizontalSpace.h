#pragma once

#include <QString>

// Removes leading and trailing blanks: space, tab and every other Unicode space separator (the
// ideographic space U+3000 included). Line breaks are not blanks here and stay.
QString trimHorizontalSpace(const QString &text);
