#pragma once

#include "core/ocr/OcrEngine.h"

#include <QString>
#include <QStringList>
#include <memory>

struct PpOcrModels;

// PP-OCR (detection, direction and recognition networks) on ONNX Runtime. Reads Simplified and
// Traditional Chinese and English; a language list naming none of them gives no lines.
class PpOcrEngine final : public OcrEngine {
public:
    // Loads the networks from the folder; with a file missing the engine recognises nothing.
    explicit PpOcrEngine(const QString &modelFolder);
    ~PpOcrEngine() override;

    // The process-wide engine, loaded from ModelFiles::locateFolder() at its first use.
    static PpOcrEngine &instance();

    static bool readsAny(const QStringList &languages);

    bool isLoaded() const;
    QList<Observation> recognize(const QImage &image, const QStringList &languages) override;

private:
    std::unique_ptr<PpOcrModels> models_;
};
