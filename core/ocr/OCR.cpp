#include "core/ocr/OCR.h"

#include "core/ocr/EngineChoice.h"
#include "core/ocr/ImageLoader.h"
#include "core/ocr/PpOcrEngine.h"
#include "core/ocr/TesseractEngine.h"
#include "core/ocr/TesseractLanguages.h"

namespace OCR {

QStringList defaultLanguages()
{
    return {QStringLiteral("zh-Hans"), QStringLiteral("en-US")};
}

QStringList recognize(const QString &path, const QStringList &languages)
{
    const QImage image = ImageLoader::load(path);
    if (image.isNull())
        return {};
    return recognize(image, languages);
}

QStringList recognize(const QImage &image, const QStringList &languages)
{
    if (image.isNull())
        return {};
    const QStringList chosen = languages.isEmpty() ? defaultLanguages() : languages;
    // Read afresh on every call: a data package installed while the application runs counts.
    TesseractEngine &tesseract = TesseractEngine::shared();
    const EngineChoice::Choice choice =
        EngineChoice::forLanguages(chosen, TesseractLanguages::installed(tesseract.dataFolder()));
    switch (choice.engine) {
    case EngineChoice::Engine::PpOcr:
        return linesInReadingOrder(PpOcrEngine::shared().recognize(image, choice.languages));
    case EngineChoice::Engine::Tesseract:
        return linesInReadingOrder(tesseract.recognizeWithData(image, choice.languages));
    case EngineChoice::Engine::None:
        break;
    }
    return {};
}

} // namespace OCR
