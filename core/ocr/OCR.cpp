#include "core/ocr/OCR.h"

#include "core/ocr/ImageLoader.h"
#include "core/ocr/PpOcrEngine.h"

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
    return linesInReadingOrder(PpOcrEngine::shared().recognize(image, chosen));
}

} // namespace OCR
