#pragma once

#include "core/ocr/OcrEngine.h"

#include <QString>
#include <QStringList>
#include <memory>

class PpOcrModels;

// PP-OCR (detection, direction and recognition networks) on ONNX Runtime. Reads Simplified and
// Traditional Chinese and English; a language list naming none of them gives no lines.
class PpOcrEngine final : public OcrEngine {
public:
    // Starts loading the networks from the folder (PpOcrModels) and returns at once; with a file
    // missing the engine recognises nothing.
    explicit PpOcrEngine(const QString &modelFolder);
    ~PpOcrEngine() override;

    // The process-wide engine, loaded from ModelFiles::locateFolder() from its first use on.
    static PpOcrEngine &instance();

    static bool readsAny(const QStringList &languages);

    // Waits for the networks to load.
    bool isLoaded() const;
    // Each line carries the confidence of each of its characters.
    QList<Observation> recognize(const QImage &image, const QStringList &languages) override;

private:
    std::unique_ptr<PpOcrModels> m_models;
};
