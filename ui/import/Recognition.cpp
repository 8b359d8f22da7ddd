#include "ui/import/Recognition.h"

#include "core/Parser.h"
#include "core/ScoredText.h"
#include "core/ocr/OCR.h"
#include "core/ocr/image/ImageLoader.h"

#include <QRegularExpression>
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

void Recognition::take(const QList<ScoredText> &read)
{
    for (const ScoredText &line : read)
        lines.append(line.text());
    m_pages.append(read);
}

QList<QStringList> Recognition::pages() const
{
    QList<QStringList> texts;
    for (const QList<ScoredText> &page : m_pages) {
        QStringList lines;
        for (const ScoredText &line : page)
            lines.append(line.text());
        texts.append(lines);
    }
    return texts;
}

void Recognition::parse(const QStringList &subjects)
{
    // The items keep the confidence of each character, so the rows can mark what to check; text
    // that was not recognised carries full confidence and is never marked.
    Parser::Result parsed = Parser::parsePages(m_pages, subjects);
    items = std::move(parsed.items);
    title = std::move(parsed.title);
}

Recognition Recognition::ofFiles(const QStringList &paths, const QStringList &languages,
                                 const QStringList &subjects,
                                 const std::function<void(int)> &starting)
{
    Recognition result;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        starting(int(i + 1));
        const QImage image = ImageLoader::load(paths[i]);
        result.take(OCR::read(image, languages));
        if (!image.isNull())
            result.previews.append(previewOf(image));
    }
    result.parse(subjects);
    // The photos and the recognition's buffers are gone by now; hand the freed heap back to the
    // system so the window does not idle at the size of the largest photo it read.
    malloc_trim(0);
    return result;
}

Recognition Recognition::ofImage(const QImage &image, const QStringList &languages,
                                 const QStringList &subjects)
{
    Recognition result;
    result.take(OCR::read(image, languages));
    result.parse(subjects);
    if (!image.isNull())
        result.previews.append(previewOf(image));
    return result;
}

Recognition Recognition::ofText(const QString &text, const QStringList &subjects)
{
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|[\\r\\n\\x{2028}\\x{2029}]"));
    QList<ScoredText> read;
    for (const QString &line : text.split(lineBreak)) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            read.append(ScoredText(trimmed));
    }
    Recognition result;
    result.take(read);
    result.parse(subjects);
    return result;
}
