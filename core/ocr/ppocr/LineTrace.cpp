#include "core/ocr/ppocr/LineTrace.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/ppocr/PpOcrSettings.h"

#include <QDir>
#include <QImage>

#include <mutex>

namespace {

std::mutex cropLock;
QString cropFolder;

} // namespace

namespace LineTrace {

void log(const TextQuad &box, const DecodedLine &line, const QString &text)
{
    if (!lcOcr().isDebugEnabled())
        return;
    QString unsure;
    for (const DecodedCharacter &character : line.characters) {
        if (character.probability >= PpOcrSettings::priorUnsureBelow)
            continue;
        unsure +=
            QStringLiteral(" %1 %2").arg(character.text).arg(character.probability, 0, 'f', 2);
        for (const auto &[reading, probability] : character.alternatives)
            unsure += QStringLiteral("|%1 %2").arg(reading).arg(probability, 0, 'f', 2);
    }
    qCDebug(lcOcr).noquote() << QStringLiteral("line (%1,%2)-(%3,%4) score %5: %6  unsure:%7")
                                    .arg(box[0].x, 0, 'f', 0)
                                    .arg(box[0].y, 0, 'f', 0)
                                    .arg(box[2].x, 0, 'f', 0)
                                    .arg(box[2].y, 0, 'f', 0)
                                    .arg(line.confidence, 0, 'f', 3)
                                    .arg(text, unsure);
}

void setCropFolder(const QString &folder)
{
    const std::lock_guard guard(cropLock);
    cropFolder = folder;
}

void saveCrop(const cv::Mat &rgbStrip, size_t index)
{
    const std::lock_guard guard(cropLock);
    if (cropFolder.isEmpty() || rgbStrip.empty())
        return;
    QDir().mkpath(cropFolder);
    const QImage view(rgbStrip.data, rgbStrip.cols, rgbStrip.rows, int(rgbStrip.step),
                      QImage::Format_RGB888);
    const QString name =
        QDir(cropFolder).filePath(QStringLiteral("%1.png").arg(index, 2, 10, QLatin1Char('0')));
    if (!view.save(name))
        qCDebug(lcOcr) << "line crop not written:" << name;
}

} // namespace LineTrace
