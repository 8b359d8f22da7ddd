#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// Which engine reads a language list. PP-OCR is far stronger on Chinese and English print, brush
// script and handwriting; Tesseract reads the other languages that Debian ships trained data for.
namespace EngineChoice {

enum class Engine { None, PpOcr, Tesseract };

struct Choice {
    Engine engine = Engine::None;
    // For PP-OCR the codes it is given; for Tesseract its trained-data names, most preferred first.
    QStringList languages;

    bool operator==(const Choice &) const = default;
};

// The rule, stated once:
// 1. A code that no engine can read is left out: PP-OCR reads zh-Hans, zh-Hant and English;
//    Tesseract reads a code whose trained data is installed.
// 2. Nothing left: no engine, no lines.
// 3. Every code left is read by PP-OCR: PP-OCR, with those codes.
// 4. Otherwise Tesseract, with the installed trained data of every code left, in the list's order.
// Step 1 keeps a missing data package from moving a Chinese list off PP-OCR for nothing.
Choice forLanguages(const QStringList &codes, const QSet<QString> &installedTesseractData);

} // namespace EngineChoice
