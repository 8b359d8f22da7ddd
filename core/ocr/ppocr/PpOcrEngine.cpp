#include "core/ocr/ppocr/PpOcrEngine.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/image/RgbImage.h"
#include "core/ocr/ppocr/ImageVariants.h"
#include "core/ocr/ppocr/ModelFiles.h"
#include "core/ocr/ppocr/PageReader.h"
#include "core/ocr/ppocr/PpOcrModels.h"
#include "core/ocr/ppocr/PpOcrSettings.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace {

bool isServedLanguage(const QString &code)
{
    return code.compare(QLatin1String("zh-Hans"), Qt::CaseInsensitive) == 0 ||
        code.compare(QLatin1String("zh-Hant"), Qt::CaseInsensitive) == 0 ||
        code.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0 ||
        code.startsWith(QLatin1String("en-"), Qt::CaseInsensitive);
}

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + long(values.size() / 2), values.end());
    return values[values.size() / 2];
}

// The views of the image worth a second reading after the first found nothing: turned by the
// slant of the lines it found (the network finds steep lines but may cut them badly), enlarged
// (small text it did not find), framed (characters it took for separate strokes).
std::vector<cv::Mat> secondViews(const cv::Mat &image, const PageReading &first)
{
    std::vector<cv::Mat> views;
    if (!first.slants.empty()) {
        const double slant = median(first.slants);
        if (std::abs(slant) > PpOcrSettings::turnAbove)
            views.push_back(ImageVariants::turned(image, -slant));
    }
    if (cv::Mat larger = ImageVariants::enlarged(image); !larger.empty())
        views.push_back(std::move(larger));
    views.push_back(ImageVariants::framed(image));
    return views;
}

} // namespace

PpOcrEngine::PpOcrEngine(const QString &modelFolder)
    : m_models(std::make_unique<PpOcrModels>(modelFolder))
{
}

PpOcrEngine::~PpOcrEngine() = default;

PpOcrEngine &PpOcrEngine::instance()
{
    static PpOcrEngine engine(ModelFiles::locateFolder());
    return engine;
}

bool PpOcrEngine::readsAny(const QStringList &languages)
{
    return std::any_of(languages.begin(), languages.end(), isServedLanguage);
}

bool PpOcrEngine::isLoaded() const
{
    return m_models->usable();
}

QList<Observation> PpOcrEngine::recognize(const QImage &image, const QStringList &languages)
{
    if (!readsAny(languages)) {
        qCDebug(lcOcr) << "nothing recognised: PP-OCR reads none of" << languages;
        return {};
    }
    if (!m_models->detection()) {
        qCDebug(lcOcr) << "nothing recognised: the PP-OCR models are not loaded";
        return {};
    }
    try {
        const RgbImage rgb(image);
        if (rgb.pixels().empty()) {
            qCDebug(lcOcr) << "nothing recognised: the image does not convert to RGB";
            return {};
        }
        PageReading page = PageReader::read(*m_models, rgb.pixels());
        if (!m_models->usable())
            return {};
        if (page.observations.isEmpty()) {
            // Nothing read: the first other view that reads anything stands.
            for (const cv::Mat &view : secondViews(rgb.pixels(), page)) {
                qCDebug(lcOcr) << "nothing read: reading a" << view.cols << "x" << view.rows
                               << "view of the image";
                page = PageReader::read(*m_models, view);
                if (!page.observations.isEmpty())
                    break;
            }
        } else if (page.thickestLine > PpOcrSettings::thickestDetectableLine) {
            // Characters this large are seen as strokes; the framed view keeps what reads more.
            qCDebug(lcOcr) << "lines" << page.thickestLine << "px thick: reading a framed view";
            PageReading framed = PageReader::read(*m_models, ImageVariants::framed(rgb.pixels()));
            if (framed.sureCharacters > page.sureCharacters)
                page = std::move(framed);
        }
        return page.observations;
    } catch (const std::exception &error) {
        // ONNX Runtime, OpenCV and allocation failures alike: recognition gives nothing.
        qCDebug(lcOcr) << "nothing recognised: PP-OCR failed:" << error.what();
        return {};
    }
}
