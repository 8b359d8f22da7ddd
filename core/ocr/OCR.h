#pragma once

#include "core/ScoredText.h"
#include "core/ocr/OcrEngine.h"

#include <QImage>
#include <QString>
#include <QStringList>

// Front end of text recognition: image in, lines in reading order out. Every failure gives an
// empty list. The language list (BCP 47 codes, most preferred first) decides the engine:
// EngineChoice::forLanguages.
namespace OCR {

// The languages used when the caller passes none.
QStringList defaultLanguages();

QStringList recognize(const QString &path, const QStringList &languages);
QStringList recognize(const QImage &image, const QStringList &languages);

// The same lines with how sure recognition was of each character, for showing what to check.
QList<ScoredText> read(const QString &path, const QStringList &languages);
QList<ScoredText> read(const QImage &image, const QStringList &languages);

} // namespace OCR
