#include "core/ocr/EngineChoice.h"

#include "core/ocr/ppocr/PpOcrEngine.h"
#include "core/ocr/tesseract/TesseractLanguages.h"

#include <algorithm>

namespace EngineChoice {

Choice forLanguages(const QStringList &codes, const QSet<QString> &installedTesseractData)
{
    const auto readByPpOcr = [](const QString &code) { return PpOcrEngine::readsAny({code}); };

    QStringList readable;
    for (const QString &code : codes) {
        if (readByPpOcr(code) ||
            !TesseractLanguages::installedDataFor({code}, installedTesseractData).isEmpty())
            readable.append(code);
    }
    if (readable.isEmpty())
        return {};
    if (std::all_of(readable.begin(), readable.end(), readByPpOcr))
        return {Engine::PpOcr, readable};
    return {Engine::Tesseract,
            TesseractLanguages::installedDataFor(readable, installedTesseractData)};
}

} // namespace EngineChoice
