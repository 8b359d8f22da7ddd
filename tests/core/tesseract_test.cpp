#include "core/ocr/OCR.h"
#include "core/ocr/ReadingOrder.h"
#include "core/ocr/tesseract/TesseractEngine.h"
#include "core/ocr/tesseract/TesseractLanguages.h"
#include "core/ocr/tesseract/TesseractText.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <ostream>
#include <thread>
#include <vector>

// Readable failure messages for the texts compared below.
static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

QString testImage(const char *name)
{
    return TestPaths::data(QLatin1String(name));
}

// Rendered from these texts in Noto Sans CJK JP and DejaVu Sans, black on white.
const QStringList japaneseLines = {"宿題 3月15日", "国語：漢字ドリルを三回書く",
                                   "算数：計算プリントをする"};
const QStringList frenchLines = {"Devoirs du 15 mars", "Français : lire le chapitre 3, page 42",
                                 "Mathématiques : exercices 5 et 6"};

// A data folder holding only the named trained data, linked from Debian's.
void linkData(const QTemporaryDir &folder, const QStringList &names)
{
    for (const QString &name : names) {
        const QString file = name + QStringLiteral(".traineddata");
        const QString installed = QDir(TesseractLanguages::defaultDataFolder()).filePath(file);
        ASSERT_TRUE(QFile::link(installed, folder.filePath(file)));
    }
}

} // namespace

TEST(TesseractText, JoinsCjkKeepsLatinSpacesAndGivesBackFullWidthPunctuation)
{
    const struct {
        const char *name;
        const char *line;
        const char *tidied;
    } rows[] = {
        {"between CJK characters", "国 語 の 宿 題", "国語の宿題"},
        {"kana, runs of spaces", "漢字 ドリル を  三回 書く", "漢字ドリルを三回書く"},
        {"beside full-width punctuation", "完成 《 背影 》 课后 练习 。 预习",
         "完成《背影》课后练习。预习"},
        {"beside corner brackets", "「 宿題 」 、 明日", "「宿題」、明日"},
        {"beyond the basic plane", "𠮷 野 家", "𠮷野家"},
        {"Latin words keep theirs", "Unit 2 单词", "Unit 2 单词"},
        {"numbers keep theirs", "宿題 3月15日", "宿題 3月15日"},
        {"page references keep theirs", "数学 p12 第3题", "数学 p12 第3题"},
        {"Latin text", "lire le chapitre 3, page 42", "lire le chapitre 3, page 42"},
        {"Korean spaces its words", "국어 숙제 하기", "국어 숙제 하기"},
        {"nothing", "", ""},
        {"only spaces", "  ", "  "},
        {"colon between CJK", "国語 : 漢字ドリル", "国語：漢字ドリル"},
        {"colon and semicolon", "语文: 完成练习; 预习第14课", "语文：完成练习；预习第14课"},
        {"without spaces", "语文:完成练习;预习", "语文：完成练习；预习"},
        {"question mark and comma, not a last mark", "本当 ? はい , 行く !", "本当？はい，行く !"},
        {"beside Latin text ASCII stays", "数学 : p12", "数学 : p12"},
        {"between Latin words", "Français : lire", "Français : lire"},
        {"beside digits", "3:45 時", "3:45 時"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(TesseractText::tidied(QString::fromUtf8(row.line)).toStdString(), row.tidied)
            << row.name;
}

TEST(TesseractRecognition, ReadsWithEveryDataSetTheLanguageListNames)
{
    EXPECT_EQ(OCR::recognize(testImage("french-lines.png"), {"fr-FR", "en-US"}), frenchLines);
    // Chinese with Japanese goes to Tesseract with both sets of data.
    EXPECT_EQ(OCR::recognize(testImage("japanese-lines.png"), {"zh-Hans", "ja-JP"}).size(),
              japaneseLines.size());
    EXPECT_EQ(OCR::recognize(testImage("japanese-lines.png"), {"ja-JP", "zh-Hans"}), japaneseLines);
}

TEST(TesseractRecognition, ObservationsCarryNormalisedBoxesFromTheBottomLeft)
{
    TesseractEngine &engine = TesseractEngine::instance();
    const QImage page(testImage("japanese-lines.png"));
    const QList<Observation> observations = engine.recognize(page, {"ja-JP"});
    ASSERT_EQ(observations.size(), 3);
    // Tesseract reads top down, so the first line sits highest.
    for (qsizetype i = 0; i < observations.size(); ++i) {
        const QRectF box = observations[i].box;
        EXPECT_EQ(observations[i].candidates, QStringList({japaneseLines[i]}));
        EXPECT_GT(box.left(), 0.0);
        EXPECT_LT(box.right(), 1.0);
        EXPECT_GT(box.top(), 0.0);
        EXPECT_LT(box.bottom(), 1.0);
        EXPECT_GT(box.height(), 30.0 / page.height());
        if (i > 0) {
            EXPECT_LT(box.center().y(), observations[i - 1].box.center().y() - 0.02);
        }
    }

    // Transparent pixels are read as white paper, like PP-OCR reads them.
    QImage transparent = page.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < transparent.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(transparent.scanLine(y));
        for (int x = 0; x < transparent.width(); ++x)
            row[x] = qRgba(0, 0, 0, 255 - qGray(row[x]));
    }
    EXPECT_EQ(OCR::recognize(transparent, {"ja-JP"}), japaneseLines);
}

TEST(TesseractRecognition, LanguagesWithoutInstalledDataAreLeftOut)
{
    QTemporaryDir folder;
    linkData(folder, {"jpn"});
    TesseractEngine onlyJapanese(folder.path());
    const QImage page(testImage("japanese-lines.png"));

    const auto lines = [&](const QStringList &languages) {
        return ReadingOrder::bestLines(onlyJapanese.recognize(page, languages));
    };
    EXPECT_EQ(lines({"ko-KR", "fr-FR", "ja-JP"}), japaneseLines);
    EXPECT_TRUE(lines({"ko-KR", "fr-FR"}).isEmpty());
    EXPECT_TRUE(lines({}).isEmpty());

    // No data at all, and data that is not trained data, give nothing either.
    QTemporaryDir empty;
    EXPECT_TRUE(TesseractEngine(empty.path()).recognize(page, {"ja-JP"}).isEmpty());
    QTemporaryDir broken;
    QFile fake(broken.filePath(QStringLiteral("jpn.traineddata")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("not trained data\n");
    fake.close();
    EXPECT_TRUE(TesseractEngine(broken.path()).recognize(page, {"ja-JP"}).isEmpty());
    EXPECT_TRUE(TesseractEngine(broken.path()).recognizeWithData(QImage(), {"jpn"}).isEmpty());
}

TEST(TesseractRecognition, EachThreadReusesItsOwnEnginePerLanguageSet)
{
    const QImage japanese(testImage("japanese-lines.png"));
    const QImage french(testImage("french-lines.png"));

    std::thread([&] {
        TesseractEngine &engine = TesseractEngine::instance();
        EXPECT_EQ(TesseractEngine::initialisedOnThisThread(), 0);
        EXPECT_EQ(ReadingOrder::bestLines(engine.recognizeWithData(japanese, {"jpn"})),
                  japaneseLines);
        EXPECT_EQ(ReadingOrder::bestLines(engine.recognizeWithData(japanese, {"jpn"})),
                  japaneseLines);
        EXPECT_EQ(TesseractEngine::initialisedOnThisThread(), 1);
        EXPECT_EQ(ReadingOrder::bestLines(engine.recognizeWithData(french, {"fra"})), frenchLines);
        EXPECT_EQ(ReadingOrder::bestLines(engine.recognizeWithData(french, {"fra", "eng"})),
                  frenchLines);
        EXPECT_EQ(TesseractEngine::initialisedOnThisThread(), 3);
        // A fourth set displaces the one used longest ago; the others stay.
        EXPECT_EQ(ReadingOrder::bestLines(engine.recognizeWithData(japanese, {"jpn"})),
                  japaneseLines);
        engine.recognizeWithData(french, {"eng"});
        EXPECT_EQ(TesseractEngine::initialisedOnThisThread(), 3);
    }).join();

    // Four threads at once, two per language, read as one thread alone does.
    std::vector<QStringList> together(4);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < together.size(); ++i) {
        threads.emplace_back([&, i] {
            together[i] =
                i % 2 ? OCR::recognize(french, {"fr-FR"}) : OCR::recognize(japanese, {"ja-JP"});
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    for (size_t i = 0; i < together.size(); ++i)
        EXPECT_EQ(together[i], i % 2 ? frenchLines : japaneseLines) << i;
}
