#include "core/ocr/PpOcrModels.h"

#include "core/ocr/ModelFiles.h"

#include <QDir>
#include <QFile>

namespace {

std::vector<QString> readAlphabet(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
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
    if (!ModelFiles::complete(folder))
        return nullptr;
    const QDir dir(folder);
    auto file = [&dir](const char *name) { return dir.filePath(QString::fromLatin1(name)); };
    std::vector<QString> alphabet = readAlphabet(file(ModelFiles::dictionary));
    if (alphabet.size() < 2)
        return nullptr;
    try {
        return std::unique_ptr<PpOcrModels>(new PpOcrModels{OnnxModel(file(ModelFiles::detectionNetwork)),
                                                            OnnxModel(file(ModelFiles::directionNetwork)),
                                                            OnnxModel(file(ModelFiles::recognitionNetwork)),
                                                            std::move(alphabet)});
    } catch (const Ort::Exception &) {
        return nullptr;
    }
}
