#pragma once

#include <QString>

// Tesseract joins the characters of a line as words separated by spaces, also inside Chinese and
// Japanese text, and its trained data folds full-width punctuation to ASCII.
namespace TesseractText {

// Removes the spaces between two CJK characters or a CJK character and full-width punctuation,
// and gives back the full-width form to : ; , ! ? standing between two CJK characters. Spaces
// between Latin words, numbers and CJK text stay. Hangul is not CJK here: Korean spaces words.
QString tidied(const QString &line);

} // namespace TesseractText
