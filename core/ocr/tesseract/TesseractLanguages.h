#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// Recognition languages arrive as BCP 47 codes ("ja-JP", "zh-Hant"); Tesseract names its trained
// data after ISO 639-2 with a script suffix ("jpn", "chi_tra"). Debian ships one package per
// trained-data file: tesseract-ocr-jpn holds jpn.traineddata.
namespace TesseractLanguages {

// Where Debian's tesseract-ocr-* packages install their trained data.
QString defaultDataFolder();

// The trained data that reads the language of the code, or an empty string when Debian ships
// none for it. Case and "_" for "-" are forgiven; region subtags only matter for Chinese.
QString dataName(const QString &code);

// Names of the trained data present in the folder (every NAME.traineddata); empty when the
// folder is missing.
QSet<QString> installed(const QString &dataFolder);

// The installed trained data for the codes, in the codes' order, each name once.
QStringList installedDataFor(const QStringList &codes, const QSet<QString> &installedData);

} // namespace TesseractLanguages
