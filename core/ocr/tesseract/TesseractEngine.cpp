#include "core/ocr/tesseract/TesseractEngine.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/image/RgbImage.h"
#include "core/ocr/tesseract/TesseractLanguages.h"
#include "core/ocr/tesseract/TesseractText.h"

#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include <QElapsedTimer>
#include <QFile>

#include <dlfcn.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// Each set's trained data takes tens of megabytes; a thread rarely switches between more sets.
constexpr size_t enginesKeptPerThread = 3;

struct InitialisedEngine {
    QString key;
    std::unique_ptr<tesseract::TessBaseAPI> api;
};

// Most recently used last. Destroyed with its thread, which ends each engine.
thread_local std::vector<InitialisedEngine> initialisedEngines;

// Tesseract reports through its own printf to standard error, which command-line mode must keep
// quiet; what matters is logged in slatebook.ocr instead.
void silenceTesseract()
{
    static std::once_flag once;
    std::call_once(once, [] {
        tesseract::TessBaseAPI settings;
        settings.SetVariable("debug_file", "/dev/null");
    });
}

// Debian's libtesseract runs its networks on OpenMP, whose idle workers spin; beside the
// application's own threads on two cores that made a page take two to three times as long. One
// thread per page; a caller that reads several pages at once uses several threads. The setting
// belongs to the calling thread, and the OpenMP runtime is the one loaded with the library.
void readOnOneThread()
{
    using SetThreads = void (*)(int);
    static const auto setThreads =
        reinterpret_cast<SetThreads>(dlsym(RTLD_DEFAULT, "omp_set_num_threads"));
    if (setThreads)
        setThreads(1);
}

tesseract::TessBaseAPI *engineFor(const QString &dataFolder, const QStringList &dataNames)
{
    const QString key = dataFolder + u'\n' + dataNames.join(u'+');
    const auto found =
        std::find_if(initialisedEngines.begin(), initialisedEngines.end(),
                     [&](const InitialisedEngine &engine) { return engine.key == key; });
    if (found != initialisedEngines.end()) {
        std::rotate(found, found + 1, initialisedEngines.end());
        return initialisedEngines.back().api.get();
    }

    silenceTesseract();
    QElapsedTimer timer;
    timer.start();
    auto api = std::make_unique<tesseract::TessBaseAPI>();
    if (api->Init(QFile::encodeName(dataFolder).constData(),
                  dataNames.join(u'+').toLatin1().constData(), tesseract::OEM_LSTM_ONLY) != 0) {
        qCDebug(lcOcr) << "Tesseract does not initialise for" << dataNames << "in" << dataFolder;
        return nullptr;
    }
    qCDebug(lcOcr) << "Tesseract initialised for" << dataNames << "in" << timer.elapsed() << "ms";
    // Homework lists are one column; Tesseract's column finder splits a line at the wide gap
    // after a full-width colon and reads the halves as two columns.
    api->SetPageSegMode(tesseract::PSM_SINGLE_BLOCK);

    if (initialisedEngines.size() >= enginesKeptPerThread)
        initialisedEngines.erase(initialisedEngines.begin());
    initialisedEngines.push_back({key, std::move(api)});
    return initialisedEngines.back().api.get();
}

// Normalised box with its origin at the lower-left corner, as observations carry it.
QRectF normalisedBox(int left, int top, int right, int bottom, int width, int height)
{
    return QRectF(double(left) / width, 1.0 - double(bottom) / height, double(right - left) / width,
                  double(bottom - top) / height);
}

QList<Observation> readLines(tesseract::TessBaseAPI &api, int width, int height)
{
    QList<Observation> observations;
    if (api.Recognize(nullptr) != 0) {
        qCDebug(lcOcr) << "nothing recognised: Tesseract's recognition failed";
        return observations;
    }
    const std::unique_ptr<tesseract::ResultIterator> line(api.GetIterator());
    if (!line) {
        qCDebug(lcOcr) << "nothing recognised: Tesseract found no text";
        return observations;
    }
    do {
        if (line->Empty(tesseract::RIL_TEXTLINE))
            continue;
        const std::unique_ptr<char[]> utf8(line->GetUTF8Text(tesseract::RIL_TEXTLINE));
        if (!utf8)
            continue;
        const QString text = TesseractText::tidied(QString::fromUtf8(utf8.get()).trimmed());
        int left = 0, top = 0, right = 0, bottom = 0;
        if (text.isEmpty() ||
            !line->BoundingBox(tesseract::RIL_TEXTLINE, &left, &top, &right, &bottom))
            continue;
        observations.append({normalisedBox(left, top, right, bottom, width, height), {text}});
    } while (line->Next(tesseract::RIL_TEXTLINE));
    return observations;
}

} // namespace

TesseractEngine::TesseractEngine(QString dataFolder) : m_dataFolder(std::move(dataFolder)) { }

TesseractEngine &TesseractEngine::instance()
{
    static TesseractEngine engine(TesseractLanguages::defaultDataFolder());
    return engine;
}

const QString &TesseractEngine::dataFolder() const
{
    return m_dataFolder;
}

QList<Observation> TesseractEngine::recognize(const QImage &image, const QStringList &languages)
{
    const QSet<QString> installed = TesseractLanguages::installed(m_dataFolder);
    return recognizeWithData(image, TesseractLanguages::installedDataFor(languages, installed));
}

QList<Observation> TesseractEngine::recognizeWithData(const QImage &image,
                                                      const QStringList &dataNames)
{
    if (dataNames.isEmpty()) {
        qCDebug(lcOcr) << "nothing recognised: no installed trained data for the languages";
        return {};
    }
    try {
        const RgbImage rgb(image);
        const cv::Mat &pixels = rgb.pixels();
        if (pixels.empty()) {
            qCDebug(lcOcr) << "nothing recognised: the image does not convert to RGB";
            return {};
        }
        tesseract::TessBaseAPI *api = engineFor(m_dataFolder, dataNames);
        if (!api)
            return {};
        QElapsedTimer timer;
        timer.start();
        readOnOneThread();
        api->SetImage(pixels.data, pixels.cols, pixels.rows, 3, int(pixels.step));
        QList<Observation> observations = readLines(*api, pixels.cols, pixels.rows);
        // Keeps the trained data, frees the page.
        api->Clear();
        qCDebug(lcOcr) << "Tesseract recognition:" << observations.size() << "lines in"
                       << timer.elapsed() << "ms";
        return observations;
    } catch (const std::exception &error) {
        // Allocation failures and whatever else escapes the library: recognition gives nothing.
        qCDebug(lcOcr) << "nothing recognised: Tesseract failed:" << error.what();
        return {};
    }
}

int TesseractEngine::initialisedOnThisThread()
{
    return int(initialisedEngines.size());
}
