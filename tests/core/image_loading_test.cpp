#include "core/ocr/OCR.h"
#include "core/ocr/image/ImageLoader.h"
#include "support/FifoRelease.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include <cstdlib>
#include <cstring>
#include <ostream>
#include <vector>

#include <sys/stat.h>

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

// Mean difference of grey levels (0..255) between two images of one size, compared at a tenth of
// it: small for the same picture through different codecs, large for a turned one.
double meanGreyDifference(const QImage &a, const QImage &b)
{
    const QSize small = a.size() / 10;
    const QImage first = a.scaled(small).convertToFormat(QImage::Format_Grayscale8);
    const QImage second = b.scaled(small).convertToFormat(QImage::Format_Grayscale8);
    double sum = 0;
    for (int y = 0; y < small.height(); ++y) {
        for (int x = 0; x < small.width(); ++x)
            sum += std::abs(int(first.constScanLine(y)[x]) - int(second.constScanLine(y)[x]));
    }
    return sum / (small.width() * small.height());
}

// One printed line of the screenshot, with a margin of its own background.
QImage screenshotLine(const QRect &area)
{
    return QImage(testImage("01-screenshot.png")).copy(area);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putBigEndian(QByteArray &bytes, int offset, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = char((value >> (24 - 8 * i)) & 0xFF);
}

// A small valid PNG whose header (with a correct checksum) claims another size.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    QImage image(16, 16, QImage::Format_RGB888);
    image.fill(Qt::white);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    // Signature (8 bytes), then the IHDR chunk: length, type, width, height, 5 more bytes, CRC.
    putBigEndian(png, 16, width);
    putBigEndian(png, 20, height);
    putBigEndian(png, 29, crc32(png.mid(12, 17)));
    return png;
}

} // namespace

TEST(ImageLoading, ExifOrientationIsApplied)
{
    const QImage upright = ImageLoader::load(testImage("03-print-photo.jpg"));
    const QImage turned = ImageLoader::load(testImage("13-exif-rotated.jpg"));
    ASSERT_EQ(upright.size(), QSize(1600, 864));
    ASSERT_EQ(turned.size(), upright.size());
    EXPECT_LT(meanGreyDifference(turned, upright), 4.0);
    // The comparison does tell orientations apart.
    EXPECT_GT(meanGreyDifference(turned.mirrored(true, true), upright), 10.0);
}

TEST(ImageLoading, ReadsEveryOfferedFormat)
{
    const QImage photo = ImageLoader::load(testImage("03-print-photo.jpg"));
    ASSERT_FALSE(photo.isNull());
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());

    for (const char *format : {"png", "bmp", "tiff", "webp"}) {
        const QString path = folder.filePath(QStringLiteral("photo.") + QLatin1String(format));
        QImageWriter writer(path, format);
        ASSERT_TRUE(writer.write(photo)) << format << ": " << qPrintable(writer.errorString());
        const QImage loaded = ImageLoader::load(path);
        ASSERT_EQ(loaded.size(), photo.size()) << format;
        EXPECT_LT(meanGreyDifference(loaded, photo), 4.0) << format;
    }

    // HEIC (the screenshot's math line, encoded with libheif) is recognised by its content,
    // whatever the file is called.
    const QImage original = QImage(testImage("01-screenshot.png")).copy(QRect(40, 358, 560, 70));
    const QString misnamed = folder.filePath(QStringLiteral("math-line.jpg"));
    ASSERT_TRUE(QFile::copy(testImage("math-line.heic"), misnamed));
    for (const QString &path : {testImage("math-line.heic"), misnamed}) {
        const QImage loaded = ImageLoader::load(path);
        ASSERT_EQ(loaded.size(), original.size()) << qPrintable(path);
        EXPECT_LT(meanGreyDifference(loaded, original), 4.0) << qPrintable(path);
        EXPECT_EQ(OCR::recognize(path, {}), QStringList({"数学：p12 第3题、第5题"}))
            << qPrintable(path);
    }
}

TEST(ImageLoading, LargeAndDeepImagesAreKeptAtEightBitsAndTheSizeRecognitionUses)
{
    QTemporaryDir folder;
    const QImage photo(testImage("03-print-photo.jpg"));
    QImage plain(8000, 6000, QImage::Format_RGB32);
    plain.fill(Qt::lightGray);
    struct Case {
        const char *name;
        QImage image;
        const char *format;
        bool read; // whether the file must read as the image itself does, decoded in memory
    };
    const std::vector<Case> cases = {
        {"48-megapixel JPEG", plain, "jpg", false},
        {"16-bit RGB PNG of the photo grown past the kept size",
         photo.scaledToWidth(5000, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGBX64),
         "png", true},
        {"16-bit grey PNG", photo.convertToFormat(QImage::Format_Grayscale16), "png", true},
        {"16-bit PNG with transparency",
         QImage(testImage("ocr-white-on-transparent.png")).convertToFormat(QImage::Format_RGBA64),
         "png", true},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.name);
        const QString path = folder.filePath(QLatin1String(test.name) + QLatin1Char('.') +
                                             QLatin1String(test.format));
        QImageWriter writer(path, test.format);
        writer.setCompression(1);
        ASSERT_TRUE(writer.write(test.image)) << qPrintable(writer.errorString());
        const QImage loaded = ImageLoader::load(path);
        EXPECT_EQ(loaded.size(), ImageLoader::keptSize(test.image.size()));
        EXPECT_LE(loaded.depth(), 32);
        EXPECT_EQ(loaded.hasAlphaChannel(), test.image.hasAlphaChannel());
        // The same characters as the whole image gives; spaces move with the scale a line is
        // read at, so they are left out of the comparison.
        if (test.read) {
            const QString whole = OCR::recognize(test.image, {}).join(u'|').remove(u' ');
            EXPECT_FALSE(whole.isEmpty());
            EXPECT_EQ(OCR::recognize(path, {}).join(u'|').remove(u' '), whole);
        }
    }
    EXPECT_EQ(ImageLoader::keptSize(QSize(8000, 6000)), QSize(4608, 3456));
}

TEST(ImageLoading, HostileAndBrokenFilesGiveNothingAtOnce)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    auto path = [&folder](const char *name) { return folder.filePath(QLatin1String(name)); };
    auto cutInHalf = [&](const QString &from, const char *to) {
        QFile file(from);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        writeFile(path(to), file.readAll().left(int(file.size() / 2)));
    };

    writeFile(path("empty.jpg"), {});
    writeFile(path("text.jpg"), "3月15日作业\n语文：背课文\n");
    writeFile(path("absurd.png"), pngClaiming(100000, 100000));
    // Within Qt's own limits but over the hundred megapixels no homework photo reaches.
    writeFile(path("oversized.png"), pngClaiming(12000, 9000));
    QDir(folder.path()).mkdir(QStringLiteral("folder.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.jpg")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(path("fifo.jpg"), path("link-to-fifo.png")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path("zeros.heic")));
    cutInHalf(testImage("math-line.heic"), "truncated.heic");
    const QString deep = path("deep.png");
    ASSERT_TRUE(
        QImage(testImage("03-print-photo.jpg")).convertToFormat(QImage::Format_RGBX64).save(deep));
    cutInHalf(deep, "truncated-deep.png");

    for (const char *name :
         {"empty.jpg", "text.jpg", "absurd.png", "oversized.png", "folder.jpg", "missing.jpg",
          "fifo.jpg", "link-to-fifo.png", "zeros.heic", "truncated.heic", "truncated-deep.png"}) {
        SCOPED_TRACE(name);
        bool loaded = true;
        bool recognised = true;
        const bool released = releasedFromFifo(path("fifo.jpg"), std::chrono::seconds(20), [&] {
            loaded = !ImageLoader::load(path(name)).isNull();
            recognised = !OCR::recognize(path(name), {}).isEmpty();
        });
        EXPECT_FALSE(released) << "the loader waited on a FIFO";
        EXPECT_FALSE(loaded);
        EXPECT_FALSE(recognised);
    }
    for (const char *device : {"/dev/zero", "/dev/null"})
        EXPECT_TRUE(ImageLoader::load(QLatin1String(device)).isNull()) << device;

    // A photo cut off halfway may still show its upper lines; it must simply not fail.
    cutInHalf(testImage("03-print-photo.jpg"), "truncated.jpg");
    const QStringList truncated = OCR::recognize(path("truncated.jpg"), {});
    EXPECT_TRUE(truncated.isEmpty() || truncated.front().endsWith(QStringLiteral("4月2日作业")))
        << qPrintable(truncated.join(u'|'));
}

TEST(ImageLoading, TinyAndExtremeShapesAreRecognisedWithoutFailing)
{
    QTemporaryDir folder;
    const QString dot = folder.filePath(QStringLiteral("dot.png"));
    QImage one(1, 1, QImage::Format_RGB32);
    one.fill(Qt::black);
    ASSERT_TRUE(one.save(dot));
    EXPECT_TRUE(OCR::recognize(dot, {}).isEmpty());
    EXPECT_TRUE(OCR::recognize(QImage(), {}).isEmpty());

    // A 20000 x 40 strip with one short line of text at its left end: shrunk for detection the
    // text is too small to find, so the strip gives nothing or exactly that line.
    QImage strip(20000, 40, QImage::Format_RGB32);
    strip.fill(QColor(0xf4, 0xf4, 0xf4));
    const QImage text =
        screenshotLine(QRect(50, 512, 330, 60)).scaledToHeight(40, Qt::SmoothTransformation);
    for (int y = 0; y < text.height(); ++y)
        std::memcpy(strip.scanLine(y), text.convertToFormat(QImage::Format_RGB32).constScanLine(y),
                    size_t(text.width()) * 4);
    const QString stripPath = folder.filePath(QStringLiteral("strip.png"));
    ASSERT_TRUE(strip.save(stripPath));
    const QStringList lines = OCR::recognize(stripPath, {});
    EXPECT_TRUE(lines.isEmpty() || lines == QStringList({"明天带美术工具"}))
        << qPrintable(lines.join(u'|'));
}

TEST(ImageLoading, TransparentAreasCountAsWhitePaper)
{
    // Dark ink on a fully transparent background whose colour is stored as black, as some
    // screenshot tools save it: read without the alpha channel, the image is black throughout.
    const QImage line =
        screenshotLine(QRect(40, 430, 480, 70)).convertToFormat(QImage::Format_Grayscale8);
    QImage ink(line.size(), QImage::Format_ARGB32);
    for (int y = 0; y < line.height(); ++y) {
        for (int x = 0; x < line.width(); ++x)
            ink.setPixel(x, y, qRgba(0, 0, 0, 255 - line.constScanLine(y)[x]));
    }
    EXPECT_EQ(OCR::recognize(ink, {}), QStringList({"英语：默写Unit 2单词"}));
}
