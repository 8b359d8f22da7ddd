// Command-line mode prints nothing, whatever the libraries under it say about a broken image;
// the same lines are in the log when it is turned on.
#include "CliProcess.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray testImage(const QString &name)
{
    QFile file(TestPaths::data(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The screenshot with a text chunk whose checksum is wrong after its header: libpng warns
// through Qt and reads on.
QByteArray pngWithDamagedTextChunk()
{
    const QByteArray text("Comment\0x", 9);
    QByteArray chunk(4, '\0');
    qToBigEndian(quint32(text.size()), chunk.data());
    return testImage("01-screenshot.png")
        .insert(8 + 25, chunk + "tEXt" + text + "\xde\xad\xbe\xef");
}

// The screenshot with one byte of its image data changed: libpng prints its error itself.
QByteArray pngWithDamagedImageData()
{
    QByteArray png = testImage("01-screenshot.png");
    png[150] = char(png[150] ^ 0x55);
    return png;
}

} // namespace

TEST(CliSilence, ABrokenImagePrintsNothingAndIsInTheLog)
{
    const QByteArray photo = testImage("03-print-photo.jpg");
    const struct {
        const char *name;
        QByteArray image;
        const char *logged;
    } rows[] = {
        {"png, damaged text chunk", pngWithDamagedTextChunk(), "libpng warning"},
        {"png, damaged image data", pngWithDamagedImageData(), "libpng error"},
        {"truncated jpeg", photo.left(photo.size() / 2), "JPEG"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        CliProcess cli(home);
        cli.createToolsFolder();
        QFile image(home.path() + "/broken");
        ASSERT_TRUE(image.open(QIODevice::WriteOnly) && image.write(row.image) == row.image.size());
        image.close();

        CliOutcome outcome = cli.run({"--ocr", image.fileName()});
        EXPECT_EQ(outcome.exitCode, 0);
        EXPECT_TRUE(outcome.result && outcome.result->startsWith("== OCR "));
        EXPECT_EQ(outcome.output, QByteArray());

        qputenv("QT_LOGGING_RULES", "slatebook.cli.debug=true");
        outcome = cli.run({"--ocr", image.fileName()});
        qunsetenv("QT_LOGGING_RULES");
        EXPECT_TRUE(outcome.output.contains(row.logged)) << outcome.output.toStdString();
    }
}
