#pragma once

#include "core/ScoredText.h"
#include "core/ocr/ppocr/CtcDecoder.h"

#include <QString>

// Repairs of look-alike readings that the homework context settles. Each rule names what it
// relies on; the words it knows (task verbs, textbook words) are listed in PpOcrSettings.h.
namespace LookAlikes {

// A full-width colon that is not a subject's ("数学：" at the start of the line, or right after a
// subject's name) and that the network nearly read as a semicolon is a semicolon. Homework lists
// separate tasks on one line with "；", and the two marks differ only in the lower dot's tail,
// which handwriting blurs; the first mark after the subject is the colon. A close call is enough
// anywhere; where a task opens after the mark (a homework verb, a subject, a page reference) the
// semicolon only has to be the runner-up. ASCII colons (8:30, 1:2) stay as read. Acts on the
// decoded characters, whose runner-up says whether the semicolon was a close call. A semicolon
// between a task and the next one is settled by that context and gets confirmedProbability.
void preferSemicolons(DecodedLine &line);

// A dot opening a line is a list's bullet "·", however the network read it (". " or "。" sit
// at a different height, which a photographed bullet does not show): it is no place to check.
void settleBullet(DecodedLine &line);

// A digit whose runner-up is no digit (1 against l or I, 9 against q, 5 against s) is a choice
// between the classes of one glyph, not between two glyphs, and the digits beside it settle it:
// read with at least digitSettledAbove, it is no place to check. On the public sets every
// digit doubted that way was right; the digits read wrong were ones dropped, beside it.
void settleDigits(DecodedLine &line);

// Textbook section words (Unit, Module, Lesson, Part, Section, Page) followed by their number or
// letter get a space before the number: "module4" → "module 4", "PartA" → "Part A". Where the
// word opens a task (at the start, after a list number, a subject or a separating mark) or the
// network was unsure of its letters, it also gets the capital textbooks print: "unit 4" →
// "Unit 4". A word read surely inside a task ("read page 3") keeps its case, unless its case is
// mixed ("LeSSon"), which no textbook prints.
QString repairTextbookWords(const ScoredText &text);

} // namespace LookAlikes
