#include "core/Parser.h"
#include "core/ScoredText.h"
#include "core/ocr/OCR.h"
#include "core/ocr/ReadingOrder.h"
#include "core/ocr/ppocr/ModelCache.h"
#include "core/ocr/ppocr/ModelFiles.h"
#include "core/ocr/ppocr/PpOcrEngine.h"
#include "local_data/TestFiles.h"
#include "support/FifoRelease.h"
#include "support/TempHome.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <functional>
#include <ostream>
#include <thread>
#include <vector>

#include <sys/stat.h>

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

// Every file of the model cache, by path relative to it.
QStringList cacheFiles()
{
    QStringList files;
    const QDir cache(ModelCache::folder());
    for (const QString &folder : cache.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (const QString &file :
             QDir(cache.filePath(folder)).entryList(QDir::Files | QDir::Hidden | QDir::System))
            files.append(folder + QLatin1Char('/') + file);
    }
    files.sort();
    return files;
}

QStringList readBy(PpOcrEngine &engine, const QImage &image)
{
    return ReadingOrder::bestLines(engine.recognize(image, OCR::defaultLanguages()));
}

// Every file under a folder with what it holds (a short text as it is, else its checksum; a
// symbolic link its target), links not followed.
QMap<QString, QString> snapshot(const QString &folder)
{
    QMap<QString, QString> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file(it.next());
        const QString name = QDir(folder).relativeFilePath(file.filePath());
        const QByteArray bytes = file.isFile() ? readFile(file.filePath()) : QByteArray();
        if (file.isSymLink())
            files[name] = QStringLiteral("-> ") + file.symLinkTarget();
        else if (file.isFile())
            files[name] = bytes.size() <= 64
                ? QString::fromUtf8(bytes)
                : QString::fromLatin1(
                      QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    }
    return files;
}

} // namespace

TEST(OcrColdStart, OptimisedNetworksAreCachedReusedAndOnlyTheCachesOwnStaleFilesRemoved)
{
    TempHome home;
    const QString folder = ModelCache::folder() + QStringLiteral("/ch_PP-OCRv4_rec_infer/");
    // Entries of earlier versions (of the network, and an ONNX graph under this very key), a
    // part a dead process left a while ago, and files the cache did not name, which it must
    // leave alone.
    const QString stale = QStringLiteral("0123abcd-ort1.0.0-00000000.onnx");
    const QString abandoned = stale + QStringLiteral(".0123456789abcdef0123456789abcdef.part");
    writeFile(folder + stale, "old graph");
    const QByteArray network = readFile(
        QDir(ModelFiles::locateFolder()).filePath(QLatin1String(ModelFiles::recognitionNetwork)));
    writeFile(folder + QLatin1String(ModelCache::keyFor(network) + ".graph"), "an ONNX graph");
    writeFile(folder + abandoned, "half a graph");
    QFile abandonedPart(folder + abandoned);
    ASSERT_TRUE(abandonedPart.open(QIODevice::ReadWrite));
    abandonedPart.setFileTime(QDateTime::currentDateTime().addDays(-1),
                              QFileDevice::FileModificationTime);
    abandonedPart.close();
    const QMap<QString, QString> foreign{{"notes.txt", "mine"},
                                         {".hidden", "also mine"},
                                         {"model.onnx", "a network of my own"},
                                         {"sub/inner.onnx", "kept"}};
    for (auto file = foreign.begin(); file != foreign.end(); ++file)
        writeFile(folder + file.key(), file.value().toUtf8());

    {
        PpOcrEngine first(ModelFiles::locateFolder());
        EXPECT_EQ(readBy(first, mathLine()), QStringList({mathText}));
    }
    // A clean upright line never needed the direction network, so it was neither loaded nor
    // cached; the stale files are gone and the foreign ones untouched.
    QStringList made;
    for (const QString &file : cacheFiles()) {
        if (!foreign.contains(QFileInfo(file).fileName()))
            made.append(file);
    }
    ASSERT_EQ(made.size(), 2) << qPrintable(made.join(u' '));
    EXPECT_TRUE(made[0].startsWith(QStringLiteral("ch_PP-OCRv4_det_infer/")));
    const QString recognition = ModelCache::folder() + QLatin1Char('/') + made[1];
    EXPECT_TRUE(recognition.startsWith(folder));
    const QString entry = QFileInfo(recognition).fileName();
    QMap<QString, QString> expected = foreign;
    expected[entry] = snapshot(folder).value(entry);
    EXPECT_EQ(snapshot(folder), expected);

    // The next engine reads the same from the entries as they are: nothing is rebuilt.
    struct stat before { };
    ASSERT_EQ(::stat(QFile::encodeName(recognition).constData(), &before), 0);
    {
        PpOcrEngine cached(ModelFiles::locateFolder());
        EXPECT_EQ(readBy(cached, mathLine()), QStringList({mathText}));
    }
    struct stat after { };
    ASSERT_EQ(::stat(QFile::encodeName(recognition).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(snapshot(folder), expected);
}

TEST(OcrColdStart, HostileCacheFilesAreNeitherFollowedNorWaitedOnNorTrusted)
{
    // The entries a first run makes, copied into each case's fresh home.
    QMap<QString, QByteArray> entries;
    {
        TempHome warm;
        PpOcrEngine first(ModelFiles::locateFolder());
        ASSERT_EQ(readBy(first, mathLine()), QStringList({mathText}));
        for (const QString &file : cacheFiles())
            entries[file] = readFile(ModelCache::folder() + QLatin1Char('/') + file);
        ASSERT_EQ(entries.size(), 2);
    }
    const QString detection = entries.firstKey();
    const QString recognition = entries.lastKey();
    ASSERT_TRUE(recognition.startsWith(QStringLiteral("ch_PP-OCRv4_rec_infer/")));

    struct Case {
        const char *name;
        // Given the cache folder and a folder outside it with files of someone else's.
        std::function<void(const QString &cache, const QString &elsewhere)> damage;
        // The recognition entry must be a regular file again, other than what was damaged.
        bool rebuilt;
    };
    auto flipBits = [](QByteArray bytes) {
        // The exponent's top bit of weights in the middle of the graph: it still loads.
        for (qsizetype i = bytes.size() / 2; i < bytes.size() / 2 + 4096; ++i)
            bytes[i] = char(bytes[i] ^ 0x40);
        return bytes;
    };
    auto linkOver = [](const QString &link, const QString &target) {
        const QFileInfo replaced(link);
        ASSERT_TRUE(replaced.isDir() ? QDir(link).removeRecursively() : QFile::remove(link));
        ASSERT_TRUE(QFile::link(target, link));
    };
    const std::vector<Case> cases = {
        {"entry cut short",
         [&](const QString &cache, const QString &) {
             writeFile(cache + recognition, entries[recognition].left(1000));
         },
         true},
        {"weight bits flipped",
         [&](const QString &cache, const QString &) {
             writeFile(cache + recognition, flipBits(entries[recognition]));
         },
         true},
        {"the two networks swapped",
         [&](const QString &cache, const QString &) {
             writeFile(cache + recognition, entries[detection]);
             writeFile(cache + detection, entries[recognition]);
         },
         true},
        {"entry is a FIFO",
         [&](const QString &cache, const QString &) {
             ASSERT_TRUE(QFile::remove(cache + recognition));
             ASSERT_EQ(::mkfifo(QFile::encodeName(cache + recognition).constData(), 0600), 0);
         },
         true},
        {"entry is a link to a file elsewhere",
         [&](const QString &cache, const QString &elsewhere) {
             linkOver(cache + recognition, elsewhere + QStringLiteral("/notes.txt"));
         },
         true},
        {"network folder is a link to a folder elsewhere",
         [&](const QString &cache, const QString &elsewhere) {
             linkOver(cache + QFileInfo(recognition).path(), elsewhere);
         },
         false},
        {"cache folder is a link to a folder elsewhere",
         [&](const QString &cache, const QString &elsewhere) {
             linkOver(cache.chopped(1), elsewhere);
         },
         false},
    };

    for (const Case &test : cases) {
        SCOPED_TRACE(test.name);
        TempHome home;
        const QString cache = ModelCache::folder() + QLatin1Char('/');
        for (auto entry = entries.begin(); entry != entries.end(); ++entry)
            writeFile(cache + entry.key(), entry.value());
        // Someone else's folder, holding also what looks like the cache's own files.
        const QString elsewhere = home.path() + QStringLiteral("/elsewhere");
        writeFile(elsewhere + QStringLiteral("/notes.txt"), "mine");
        writeFile(elsewhere + QStringLiteral("/.hidden"), "also mine");
        writeFile(elsewhere + QLatin1Char('/') + QFileInfo(recognition).fileName(), "not a graph");
        writeFile(elsewhere + QStringLiteral("/0123abcd-ort1.0.0-00000000.onnx"), "not a graph");
        writeFile(elsewhere + QLatin1Char('/') + recognition, "not a graph");
        const QMap<QString, QString> elsewhereBefore = snapshot(elsewhere);
        test.damage(cache, elsewhere);
        // Read only when regular: opening the FIFO here would wait for a writer.
        const QByteArray damaged =
            QFileInfo(cache + recognition).isFile() ? readFile(cache + recognition) : QByteArray();

        QStringList lines;
        const bool released = releasedFromFifo(cache + recognition, std::chrono::seconds(60), [&] {
            PpOcrEngine engine(ModelFiles::locateFolder());
            lines = readBy(engine, mathLine());
        });
        EXPECT_FALSE(released) << "recognition waited on a FIFO";
        EXPECT_EQ(lines, QStringList({mathText}));
        EXPECT_EQ(snapshot(elsewhere), elsewhereBefore);
        if (test.rebuilt) {
            const QFileInfo entry(cache + recognition);
            EXPECT_TRUE(entry.isFile() && !entry.isSymLink());
            EXPECT_GT(entry.size(), 1'000'000);
            EXPECT_TRUE(readFile(entry.filePath()) != damaged) << "the damaged entry was kept";
        }
    }
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
    EXPECT_TRUE(
        cacheFiles().join(u' ').contains(QStringLiteral("ch_ppocr_mobile_v2.0_cls_infer/")));

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
