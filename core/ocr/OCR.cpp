#include "core/ocr/OCR.h"

#include "core/ocr/EngineChoice.h"
#include "core/ocr/OcrLog.h"
#include "core/ocr/ReadingOrder.h"
#include "core/ocr/image/ImageLoader.h"
#include "core/ocr/ppocr/PpOcrEngine.h"
#include "core/ocr/tesseract/TesseractEngine.h"
#include "core/ocr/tesseract/TesseractLanguages.h"

#include <QFileInfo>

namespace OCR {

QStringList defaultLanguages()
{
    return {QStringLiteral("zh-Hans"), QStringLiteral("en-US")};
}

namespace {

EngineChoice::Choice engineFor(const QStringList &languages)
{
    const QStringList chosen = languages.isEmpty() ? defaultLanguages() : languages;
    // Read afresh on every call: a data package installed while the application runs counts.
    TesseractEngine &tesseract = TesseractEngine::instance();
    const QSet<QString> installed = TesseractLanguages::installed(tesseract.dataFolder());
    const EngineChoice::Choice choice = EngineChoice::forLanguages(chosen, installed);
    if (choice.engine == EngineChoice::Engine::None)
        qCDebug(lcOcr) << "no engine reads" << chosen << "; Tesseract data in"
                       << tesseract.dataFolder() << ":" << installed.values();
    return choice;
}

QList<ScoredText> readWith(const EngineChoice::Choice &choice, const QImage &image)
{
    switch (choice.engine) {
    case EngineChoice::Engine::PpOcr:
        return ReadingOrder::bestScoredLines(
            PpOcrEngine::instance().recognize(image, choice.languages));
    case EngineChoice::Engine::Tesseract:
        return ReadingOrder::bestScoredLines(
            TesseractEngine::instance().recognizeWithData(image, choice.languages));
    case EngineChoice::Engine::None:
        qCDebug(lcOcr) << "nothing recognised: no engine reads the languages asked for";
        break;
    }
    return {};
}

QStringList textsOf(const QList<ScoredText> &lines)
{
    QStringList texts;
    for (const ScoredText &line : lines)
        texts.append(line.text());
    return texts;
}

} // namespace

QStringList recognize(const QString &path, const QStringList &languages)
{
    return textsOf(read(path, languages));
}

QStringList recognize(const QImage &image, const QStringList &languages)
{
    return textsOf(read(image, languages));
}

QList<ScoredText> read(const QString &path, const QStringList &languages)
{
    const EngineChoice::Choice choice = engineFor(languages);
    // The first use starts loading the networks; the image decodes meanwhile.
    if (choice.engine == EngineChoice::Engine::PpOcr && QFileInfo(path).isFile())
        PpOcrEngine::instance();
    const QImage image = ImageLoader::load(path);
    if (image.isNull()) {
        qCDebug(lcOcr) << "nothing recognised:" << path << "does not load as an image";
        return {};
    }
    return readWith(choice, image);
}

QList<ScoredText> read(const QImage &image, const QStringList &languages)
{
    if (image.isNull()) {
        qCDebug(lcOcr) << "nothing recognised: null image";
        return {};
    }
    return readWith(engineFor(languages), image);
}

} // namespace OCR
