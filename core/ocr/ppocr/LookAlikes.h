#pragma once

#include "core/ocr/ppocr/CtcDecoder.h"

#include <QString>

// Repairs of look-alike readings that the homework context settles. Each rule names what it
// relies on; none looks at a particular word list beyond the textbook words below.
namespace LookAlikes {

// A full-width colon that is not the one after a line's leading subject ("数学：") and that the
// network nearly read as a semicolon is a semicolon. Homework lists separate tasks on one line
// with "；", and the two marks differ only in the lower dot's tail, which handwriting blurs;
// the first mark after the subject is the colon. Acts on the decoded characters, whose runner-up
// says whether the semicolon was a close call.
void preferSemicolons(DecodedLine &line);

// Textbook section words (Unit, Module, Lesson, Part, Section, Page) followed by their number or
// letter keep their capital and a space before the number: "unit 4" → "Unit 4", "module4" →
// "Module 4", "PartA" → "Part A". Relies on textbooks printing these words capitalised and
// spaced, which the network's lower-case and dropped-space readings lose.
QString repairTextbookWords(const QString &text);

} // namespace LookAlikes
