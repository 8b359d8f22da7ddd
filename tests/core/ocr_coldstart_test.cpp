#include "core/Parser.h"
#include "core/ScoredText.h"
#include "core/ocr/OCR.h"
#include "core/ocr/ReadingOrder.h"
#include "core/ocr/ppocr/ModelCache.h"
#include "core/ocr/ppocr/ModelFiles.h"
#include "core/ocr/ppocr/PpOcrEngine.h"
#include "support/TempHome.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <ostream>
#include <thread>
#include <vector>

// The optimised networks kept in $XDG_CACHE_HOME/slatebook, the direction network loaded only
// when a line reads poorly, and the confidence every recognised character carries.

static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString mathText = QStringLiteral("数学：p12 第3题、第5题");

// "数学：p12 第3题、第5题" from the screenshot, with a margin of its background.
QImage mathLine()
{
    return QImage(TestPaths::data(QStringLiteral("01-screenshot.png")))
        .copy(QRect(40, 358, 560, 70));
}

QString network(const char *name)
{
    return QDir(ModelFiles::locateFolder()).filePath(QLatin1String(name));
}

// Every file of the model cache, by path relative to it.
QStringList cacheFiles()
{
    QStringList files;
    const QDir cache(ModelCache::folder());
    for (const QString &folder : cache.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (const QString &file :
             QDir(cache.filePath(folder)).entryList(QDir::Files | QDir::Hidden))
            files.append(folder + QLatin1Char('/') + file);
    }
    return files;
}

QStringList readBy(PpOcrEngine &engine, const QImage &image)
{
    return ReadingOrder::bestLines(engine.recognize(image, OCR::defaultLanguages()));
}

} // namespace

TEST(OcrColdStart, OptimisedNetworksAreCachedRebuiltWhenBrokenAndStaleOnesRemoved)
{
    TempHome home;
    const QString detection = ModelCache::entryFor(network(ModelFiles::detectionNetwork));
    const QString recognition = ModelCache::entryFor(network(ModelFiles::recognitionNetwork));
    ASSERT_TRUE(detection.startsWith(home.path() + QStringLiteral("/.cache/slatebook/")));
    // An entry of an earlier network version, and a part a dead process left a while ago.
    ASSERT_TRUE(QDir().mkpath(QFileInfo(recognition).path()));
    const QString stale =
        QFileInfo(recognition).path() + QStringLiteral("/0123abcd-ort1.0.0-00000000.onnx");
    QFile(stale).open(QIODevice::WriteOnly);
    const QString abandoned = recognition + QStringLiteral(".old.part");
    QFile abandonedPart(abandoned);
    ASSERT_TRUE(abandonedPart.open(QIODevice::WriteOnly));
    abandonedPart.setFileTime(QDateTime::currentDateTime().addDays(-1),
                              QFileDevice::FileModificationTime);
    abandonedPart.close();

    {
        PpOcrEngine first(ModelFiles::locateFolder());
        EXPECT_EQ(readBy(first, mathLine()), QStringList({mathText}));
    }
    // A clean upright line never needed the direction network, so it was neither loaded nor cached.
    QStringList expected{QFileInfo(detection).dir().dirName() + QLatin1Char('/') +
                             QFileInfo(detection).fileName(),
                         QFileInfo(recognition).dir().dirName() + QLatin1Char('/') +
                             QFileInfo(recognition).fileName()};
    expected.sort();
    QStringList files = cacheFiles();
    files.sort();
    EXPECT_EQ(files, expected);

    // The next engine loads the cached graphs and reads the same.
    {
        PpOcrEngine cached(ModelFiles::locateFolder());
        EXPECT_EQ(readBy(cached, mathLine()), QStringList({mathText}));
    }

    // A cached graph cut short is removed, the network loaded from its original and cached again.
    QFile broken(recognition);
    ASSERT_TRUE(broken.open(QIODevice::ReadWrite));
    ASSERT_TRUE(broken.resize(1000));
    broken.close();
    {
        PpOcrEngine rebuilt(ModelFiles::locateFolder());
        EXPECT_EQ(readBy(rebuilt, mathLine()), QStringList({mathText}));
    }
    EXPECT_GT(QFileInfo(recognition).size(), 1000);
}

TEST(OcrColdStart, EnginesStartingTogetherOnAnEmptyCacheReadAlikeAndLeaveOneEntryEach)
{
    // Threads here stand for processes: each engine writes its own part and renames it into place.
    TempHome home;
    constexpr int engines = 3;
    std::vector<QStringList> read(engines);
    std::vector<std::thread> threads;
    for (int i = 0; i < engines; ++i) {
        threads.emplace_back([&read, i] {
            PpOcrEngine engine(ModelFiles::locateFolder());
            read[size_t(i)] = readBy(engine, mathLine());
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    for (const QStringList &lines : read)
        EXPECT_EQ(lines, QStringList({mathText}));
    EXPECT_EQ(cacheFiles().size(), 2) << qPrintable(cacheFiles().join(u' '));
}

TEST(OcrColdStart, UpsideDownLineLoadsTheDirectionNetworkAndEveryCharacterHasAConfidence)
{
    TempHome home;
    PpOcrEngine engine(ModelFiles::locateFolder());
    const QImage englishLine =
        QImage(TestPaths::data(QStringLiteral("01-screenshot.png"))).copy(QRect(40, 430, 480, 70));
    EXPECT_EQ(readBy(engine, englishLine.mirrored(true, true)),
              QStringList({"英语：默写Unit 2单词"}));
    EXPECT_TRUE(QFileInfo::exists(ModelCache::entryFor(network(ModelFiles::directionNetwork))));

    // One value per character of every line; the entries of the clean screenshot read surely
    // and have nothing to mark.
    const QList<ScoredText> lines =
        OCR::read(TestPaths::data(QStringLiteral("01-screenshot.png")), {});
    ASSERT_EQ(lines.size(), 7);
    for (const ScoredText &line : lines)
        EXPECT_EQ(line.confidence().size(), line.text().size());
    const Parser::Result parsed = Parser::parseRecognised(lines);
    ASSERT_EQ(parsed.items.size(), 6);
    for (const SlateItem &item : parsed.items)
        EXPECT_TRUE(doubtfulSpans(item.textConfidence).isEmpty()) << qPrintable(item.title());
}
