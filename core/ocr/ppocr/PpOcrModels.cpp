#include "core/ocr/ppocr/PpOcrModels.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/RegularFile.h"
#include "core/ocr/ppocr/ModelFiles.h"

#include <QDir>

#include <exception>
#include <optional>

namespace {

// Far above the size of PP-OCR's dictionary (26 KB).
constexpr qint64 maximumDictionaryBytes = 4 * 1024 * 1024;

std::vector<QString> readAlphabet(const QString &path)
{
    const std::optional<QByteArray> bytes = RegularFile::readAll(path, maximumDictionaryBytes);
    if (!bytes) {
        qCDebug(lcOcr) << "PP-OCR dictionary unreadable:" << path;
        return {};
    }
    std::vector<QString> alphabet;
    const QStringList lines = QString::fromUtf8(*bytes).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.isEmpty())
            alphabet.push_back(line);
    }
    if (alphabet.empty()) {
        qCDebug(lcOcr) << "PP-OCR dictionary is empty:" << path;
        return {};
    }
    alphabet.push_back(QStringLiteral(" "));
    return alphabet;
}

std::unique_ptr<OnnxModel> loadNetwork(const QString &path, OnnxModel::Memory memory)
{
    try {
        return std::make_unique<OnnxModel>(path, memory);
    } catch (const std::exception &error) {
        qCDebug(lcOcr) << "PP-OCR network does not load:" << path << error.what();
        return nullptr;
    }
}

std::shared_future<std::unique_ptr<OnnxModel>> startLoading(const QString &path,
                                                            OnnxModel::Memory memory)
{
    return std::async(std::launch::async, loadNetwork, path, memory).share();
}

std::shared_future<std::unique_ptr<OnnxModel>> nothing()
{
    std::promise<std::unique_ptr<OnnxModel>> none;
    none.set_value(nullptr);
    return none.get_future().share();
}

QString fileIn(const QString &folder, const char *name)
{
    return QDir(folder).filePath(QString::fromLatin1(name));
}

} // namespace

PpOcrModels::PpOcrModels(const QString &folder) : m_folder(folder)
{
    if (!ModelFiles::complete(folder)) {
        qCDebug(lcOcr) << "PP-OCR not loaded: the model folder" << folder << "lacks a file";
        m_detection = m_recognition = nothing();
        return;
    }
    m_alphabet = readAlphabet(fileIn(folder, ModelFiles::dictionary));
    // Made here, before the sessions that need it, so that it outlives them also when this object
    // is a static of its own.
    OnnxModel::prepareRuntime();
    m_detection =
        startLoading(fileIn(folder, ModelFiles::detectionNetwork), OnnxModel::Memory::GiveBack);
    m_recognition =
        startLoading(fileIn(folder, ModelFiles::recognitionNetwork), OnnxModel::Memory::Keep);
}

// The futures wait for their loading threads.
PpOcrModels::~PpOcrModels() = default;

OnnxModel *PpOcrModels::detection() const
{
    return m_detection.get().get();
}

OnnxModel *PpOcrModels::recognition() const
{
    return m_recognition.get().get();
}

OnnxModel *PpOcrModels::direction()
{
    std::call_once(m_directionLoaded, [this] {
        if (ModelFiles::complete(m_folder))
            m_direction = loadNetwork(fileIn(m_folder, ModelFiles::directionNetwork),
                                      OnnxModel::Memory::Keep);
    });
    return m_direction.get();
}

bool PpOcrModels::usable() const
{
    return detection() && recognition() && !m_alphabet.empty();
}
