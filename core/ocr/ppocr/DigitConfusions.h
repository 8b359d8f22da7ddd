#pragma once

#include <QString>

// Handwritten 1 and 0 are often read as the letters l, I, | or O, o. Inside a page reference
// (p or P directly followed by digits, as homework lists write them: p18, P20-21) such letters
// can only be digits, so they are read as digits there; everywhere else the text is untouched.
namespace DigitConfusions {

QString repairPageReferences(const QString &text);

} // namespace DigitConfusions
