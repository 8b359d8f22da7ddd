#include "core/ocr/ppocr/PpOcrModels.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/ppocr/ModelFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

namespace {

std::vector<QString> readAlphabet(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCDebug(lcOcr) << "PP-OCR dictionary unreadable:" << path << file.errorString();
        return {};
    }
    std::vector<QString> alphabet;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.isEmpty())
            alphabet.push_back(line);
    }
    alphabet.push_back(QStringLiteral(" "));
    return alphabet;
}

} // namespace

std::unique_ptr<PpOcrModels> PpOcrModels::load(const QString &folder)
{
    if (!ModelFiles::complete(folder)) {
        qCDebug(lcOcr) << "PP-OCR not loaded: the model folder" << folder << "lacks a file";
        return nullptr;
    }
    QElapsedTimer timer;
    timer.start();
    const QDir dir(folder);
    auto file = [&dir](const char *name) { return dir.filePath(QString::fromLatin1(name)); };
    std::vector<QString> alphabet = readAlphabet(file(ModelFiles::dictionary));
    if (alphabet.size() < 2) {
        qCDebug(lcOcr) << "PP-OCR not loaded: the dictionary is empty";
        return nullptr;
    }
    try {
        std::unique_ptr<PpOcrModels> models(new PpOcrModels{OnnxModel(file(ModelFiles::detectionNetwork)),
                                                            OnnxModel(file(ModelFiles::directionNetwork)),
                                                            OnnxModel(file(ModelFiles::recognitionNetwork)),
                                                            std::move(alphabet)});
        qCDebug(lcOcr) << "PP-OCR models loaded from" << folder << "in" << timer.elapsed() << "ms";
        return models;
    } catch (const Ort::Exception &error) {
        qCDebug(lcOcr) << "PP-OCR not loaded: a network does not load:" << error.what();
        return nullptr;
    }
}
