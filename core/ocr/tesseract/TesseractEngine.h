#pragma once

#include "core/ocr/OcrEngine.h"

#include <QString>
#include <QStringList>

// Tesseract (Debian's libtesseract) for the languages PP-OCR does not read. Initialising it for a
// language set loads that set's trained data, which takes far longer than reading a page, so each
// thread keeps the engines it has initialised, one per data folder and language set; no call
// ever sees an engine another thread is using.
class TesseractEngine final : public OcrEngine {
public:
    explicit TesseractEngine(QString dataFolder);

    // The engine on Debian's trained-data folder.
    static TesseractEngine &instance();

    const QString &dataFolder() const;

    // Languages as BCP 47 codes; those without installed trained data are left out, and with
    // none left there are no lines.
    QList<Observation> recognize(const QImage &image, const QStringList &languages) override;

    // Languages as trained-data names ("chi_sim", "jpn"), most preferred first, all installed.
    QList<Observation> recognizeWithData(const QImage &image, const QStringList &dataNames);

    // How many initialised engines the calling thread keeps (over all data folders).
    static int initialisedOnThisThread();

private:
    QString m_dataFolder;
};
