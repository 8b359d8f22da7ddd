#include "core/ocr/OCR.h"
#include "core/ocr/ReadingOrder.h"
#include "core/ocr/ppocr/ModelFiles.h"
#include "core/ocr/ppocr/PpOcrEngine.h"
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

// "数学：p12 第3题、第5题" from the screenshot, with a margin of its background.
QImage mathLine()
{
    return QImage(testImage("01-screenshot.png")).copy(QRect(40, 358, 560, 70));
}

} // namespace

TEST(Recognition, ReadsScreenshotPrintBrushScriptAndHandwriting)
{
    // The screenshot is clean enough to be read exactly, spaces included.
    EXPECT_EQ(OCR::recognize(testImage("01-screenshot.png"), {}),
              QStringList({"3月15日作业", "语文：", "1. 背诵《春》第一、二段",
                           "2. 抄写第三课生字；完成练习册P12", "数学：p12 第3题、第5题",
                           "英语：默写Unit 2单词", "明天带美术工具"}));

    // Photos: the lines that carry the entries, in order; the heading's brackets may come out
    // full-width.
    const QStringList print = OCR::recognize(testImage("03-print-photo.jpg"), {});
    ASSERT_EQ(print.size(), 6) << qPrintable(print.join(u'|'));
    EXPECT_TRUE(print[0].endsWith(QStringLiteral("班 4月2日作业"))) << qPrintable(print[0]);
    EXPECT_EQ(
        print.mid(1),
        QStringList({"语文：完成《背影》课后练习；预习第14课", "数学：p45 1-6题",
                     "英语：背诵2a对话；完成学案", "物理：整理第三章笔记", "历史：复习第5课"}));

    EXPECT_EQ(
        OCR::recognize(testImage("05-kai-photo.jpg"), {}),
        QStringList({"5月8日作业", "语文：抄写词语两遍", "数学：第3题 第4题", "英语：读课文三遍"}));

    // The handwritten 1 of p18 looks like an l; inside a page reference it is read as a digit.
    EXPECT_EQ(OCR::recognize(testImage("14-hand-photo.jpg"), {}),
              QStringList(
                  {"3月22日作业", "语文：背诵古诗三首", "数学：练习册p18", "英语：抄写单词两遍"}));
}

TEST(Recognition, ExifRotatedPhotoReadsLikeItsUprightTwin)
{
    const QStringList upright = OCR::recognize(testImage("03-print-photo.jpg"), {});
    EXPECT_FALSE(upright.isEmpty());
    EXPECT_EQ(OCR::recognize(testImage("13-exif-rotated.jpg"), {}), upright);
}

TEST(Recognition, RestoresTheSpacesTheNetworkDrops)
{
    // The network reads this line as "数学：p12第3题、第5题"; the ink shows the gap.
    EXPECT_EQ(OCR::recognize(mathLine(), {}), QStringList({"数学：p12 第3题、第5题"}));
}

TEST(Recognition, UpsideDownLineIsTurnedBeforeReading)
{
    const QImage englishLine = QImage(testImage("01-screenshot.png")).copy(QRect(40, 430, 480, 70));
    EXPECT_EQ(OCR::recognize(englishLine.mirrored(true, true), {}),
              QStringList({"英语：默写Unit 2单词"}));
}

TEST(Recognition, LanguageListDecidesWhetherThereIsAnythingToRead)
{
    const QStringList expected = {"数学：p12 第3题、第5题"};
    EXPECT_EQ(OCR::defaultLanguages(), QStringList({"zh-Hans", "en-US"}));
    EXPECT_EQ(OCR::recognize(mathLine(), {}), expected);
    EXPECT_EQ(OCR::recognize(mathLine(), {"zh-Hant"}), expected);
    EXPECT_EQ(OCR::recognize(mathLine(), {"en-GB"}), expected);
    // A language that nothing installed reads is left out. Other languages go to Tesseract
    // (tesseract_test.cpp).
    EXPECT_EQ(OCR::recognize(mathLine(), {"xx-YY", "en"}), expected);
    EXPECT_TRUE(OCR::recognize(mathLine(), {"xx-YY"}).isEmpty());
    EXPECT_TRUE(OCR::recognize(testImage("01-screenshot.png"), {"tlh"}).isEmpty());
}

TEST(Recognition, FourThreadsAtOnceReadLikeOne)
{
    const std::vector<QString> images = {
        testImage("01-screenshot.png"), testImage("03-print-photo.jpg"),
        testImage("05-kai-photo.jpg"), testImage("14-hand-photo.jpg")};
    std::vector<QStringList> alone;
    for (const QString &image : images)
        alone.push_back(OCR::recognize(image, {}));

    std::vector<QStringList> together(images.size());
    std::vector<std::thread> threads;
    for (size_t i = 0; i < images.size(); ++i)
        threads.emplace_back([&, i] { together[i] = OCR::recognize(images[i], {}); });
    for (std::thread &thread : threads)
        thread.join();

    for (size_t i = 0; i < images.size(); ++i) {
        EXPECT_FALSE(alone[i].isEmpty()) << qPrintable(images[i]);
        EXPECT_EQ(together[i], alone[i]) << qPrintable(images[i]);
    }
}

TEST(Recognition, MissingOrBrokenModelsGiveNothing)
{
    const QString installed = ModelFiles::locateFolder();
    ASSERT_TRUE(ModelFiles::complete(installed));
    const QImage line = mathLine();

    QTemporaryDir empty;
    EXPECT_FALSE(ModelFiles::complete(empty.path()));
    PpOcrEngine withoutFiles(empty.path());
    EXPECT_FALSE(withoutFiles.isLoaded());
    EXPECT_TRUE(withoutFiles.recognize(line, OCR::defaultLanguages()).isEmpty());

    // The dictionary alone is not enough.
    QTemporaryDir partial;
    ASSERT_TRUE(QFile::copy(QDir(installed).filePath(QLatin1String(ModelFiles::dictionary)),
                            QDir(partial.path()).filePath(QLatin1String(ModelFiles::dictionary))));
    EXPECT_FALSE(PpOcrEngine(partial.path()).isLoaded());

    // Every file present, but the networks are not networks.
    QTemporaryDir broken;
    for (const char *name : {ModelFiles::detectionNetwork, ModelFiles::recognitionNetwork,
                             ModelFiles::directionNetwork, ModelFiles::dictionary}) {
        QFile file(QDir(broken.path()).filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a network\n");
    }
    EXPECT_TRUE(ModelFiles::complete(broken.path()));
    PpOcrEngine withBrokenFiles(broken.path());
    EXPECT_FALSE(withBrokenFiles.isLoaded());
    EXPECT_TRUE(withBrokenFiles.recognize(line, OCR::defaultLanguages()).isEmpty());

    PpOcrEngine complete(installed);
    EXPECT_TRUE(complete.isLoaded());
    EXPECT_EQ(ReadingOrder::bestLines(complete.recognize(line, OCR::defaultLanguages())),
              QStringList({"数学：p12 第3题、第5题"}));
}
