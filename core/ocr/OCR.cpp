#include "core/ocr/OCR.h"

#include "core/ocr/EngineChoice.h"
#include "core/ocr/OcrLog.h"
#include "core/ocr/ReadingOrder.h"
#include "core/ocr/image/ImageLoader.h"
#include "core/ocr/ppocr/PpOcrEngine.h"
#include "core/ocr/tesseract/TesseractEngine.h"
#include "core/ocr/tesseract/TesseractLanguages.h"

namespace OCR {

QStringList defaultLanguages()
{
    return {QStringLiteral("zh-Hans"), QStringLiteral("en-US")};
}

QStringList recognize(const QString &path, const QStringList &languages)
{
    const QImage image = ImageLoader::load(path);
    if (image.isNull()) {
        qCDebug(lcOcr) << "nothing recognised:" << path << "does not load as an image";
        return {};
    }
    return recognize(image, languages);
}

QStringList recognize(const QImage &image, const QStringList &languages)
{
    if (image.isNull()) {
        qCDebug(lcOcr) << "nothing recognised: null image";
        return {};
    }
    const QStringList chosen = languages.isEmpty() ? defaultLanguages() : languages;
    // Read afresh on every call: a data package installed while the application runs counts.
    TesseractEngine &tesseract = TesseractEngine::instance();
    const EngineChoice::Choice choice =
        EngineChoice::forLanguages(chosen, TesseractLanguages::installed(tesseract.dataFolder()));
    switch (choice.engine) {
    case EngineChoice::Engine::PpOcr:
        return ReadingOrder::bestLines(PpOcrEngine::instance().recognize(image, choice.languages));
    case EngineChoice::Engine::Tesseract:
        return ReadingOrder::bestLines(tesseract.recognizeWithData(image, choice.languages));
    case EngineChoice::Engine::None:
        qCDebug(lcOcr) << "nothing recognised: no engine reads" << chosen;
        break;
    }
    return {};
}

} // namespace OCR
