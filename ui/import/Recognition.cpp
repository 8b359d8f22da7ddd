#include "ui/import/Recognition.h"

#include "core/Parser.h"
#include "core/ocr/OCR.h"
#include "core/ocr/image/ImageLoader.h"

#include <malloc.h>

namespace {

// The drop zone is 300 × 340; this leaves room for a 2× screen without keeping a 48-megapixel
// photo in memory or scaling it on the UI thread at every repaint.
constexpr int previewSide = 1024;

QImage previewOf(const QImage &image)
{
    if (image.isNull() || (image.width() <= previewSide && image.height() <= previewSide))
        return image;
    return image.scaled(previewSide, previewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

Recognition Recognition::ofFile(const QString &path, const QStringList &languages, const QStringList &subjects)
{
    Recognition result = ofImage(ImageLoader::load(path), languages, subjects);
    // The photo and the recognition's buffers are gone by now; hand the freed heap back to the
    // system so the window does not idle at the size of the largest photo it read.
    malloc_trim(0);
    return result;
}

Recognition Recognition::ofImage(const QImage &image, const QStringList &languages, const QStringList &subjects)
{
    Recognition result;
    const QList<ScoredText> read = OCR::read(image, languages);
    for (const ScoredText &line : read)
        result.lines.append(line.text());
    // The items keep the confidence of each character, so the rows can mark what to check.
    Parser::Result parsed = Parser::parseRecognised(read, subjects);
    result.items = std::move(parsed.items);
    result.title = std::move(parsed.title);
    result.preview = previewOf(image);
    return result;
}
