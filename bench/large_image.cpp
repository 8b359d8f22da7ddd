// Large-image benchmark: bench/large-image PHOTO scales PHOTO up to just under the hundred
// megapixels the loader accepts, writes it as a PNG of 16 bits per channel into a temporary
// folder (nothing is kept), and runs `slatebook --ocr` on it and on PHOTO itself, each in a
// process of its own: wall-clock and processor seconds, peak memory, and whether the large copy
// reads the same characters as the photo (spaces move with the scale a line is read at). The
// model cache is filled first, so the runs time the image and not the networks. The copy is
// written by a process of its own too: a child inherits its parent's peak memory figure.
// `bench/large-image tests/data/03-print-photo.jpg` runs from a clone.

#include "bench/BenchHome.h"
#include "core/ocr/image/ImageLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

namespace {

struct Run {
    double seconds = 0;
    double processorSeconds = 0;
    double peakMegabytes = 0;
    QString result;
};

// One run of `slatebook --ocr image`, timed from spawn to exit; its own peak memory from wait4.
Run ocrRun(const QString &program, const QString &image, const QString &resultFile)
{
    QFile::remove(resultFile);
    const QByteArray programBytes = QFile::encodeName(program);
    const QByteArray imageBytes = QFile::encodeName(image);
    std::vector<char *> arguments{const_cast<char *>(programBytes.constData()),
                                  const_cast<char *>("--ocr"),
                                  const_cast<char *>(imageBytes.constData()), nullptr};
    Run run;
    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    if (posix_spawn(&child, programBytes.constData(), nullptr, nullptr, arguments.data(),
                    environ) != 0)
        return run;
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.seconds = timer.nsecsElapsed() / 1e9;
    run.processorSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
        double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.peakMegabytes = double(usage.ru_maxrss) / 1024.0;
    QFile result(resultFile);
    if (result.open(QIODevice::ReadOnly))
        run.result = QString::fromUtf8(result.readAll());
    return run;
}

// The photo scaled up to at most ImageLoader::maximumPixels, stored with 16 bits per channel.
bool writeLargeCopy(const QString &photo, const QString &path)
{
    const QImage original(photo);
    if (original.isNull())
        return false;
    const double factor = std::sqrt(double(ImageLoader::maximumPixels) /
                                    (double(original.width()) * original.height()));
    const QSize size(int(original.width() * factor), int(original.height() * factor));
    const QImage large = original.convertToFormat(QImage::Format_RGBX64)
                             .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImageWriter writer(path, "png");
    // Fast compression: the file is only a fixture, and a photo does not compress well anyway.
    writer.setCompression(1);
    std::printf("%s: %d x %d, 16 bits per channel\n", qPrintable(QFileInfo(path).fileName()),
                large.width(), large.height());
    std::fflush(stdout);
    return writer.write(large);
}

void printRun(const char *what, const Run &run)
{
    std::printf("  %-28s %6.2f s (processor %5.2f s)  peak %7.1f MB\n", what, run.seconds,
                run.processorSeconds, run.peakMegabytes);
}

// The characters the result file lists, spaces aside.
QString withoutSpaces(QString result)
{
    return result.remove(QLatin1Char(' '));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() == 3 && arguments.front() == QStringLiteral("--write-large"))
        return writeLargeCopy(arguments[1], arguments[2]) ? 0 : 1;
    if (arguments.size() != 1) {
        std::fprintf(stderr, "usage: large-image PHOTO\n");
        return 2;
    }
    const QString photo = QFileInfo(arguments.front()).absoluteFilePath();
    QTemporaryDir home;
    useHome(home.path());
    QDir(home.path()).mkpath(QStringLiteral(".deskmate/tools"));
    const QString resultFile = home.filePath(QStringLiteral(".deskmate/tools/cli_result.txt"));
    const QString program =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../app/slatebook");

    const QString large = home.filePath(QStringLiteral("large-16bit.png"));
    QElapsedTimer timer;
    timer.start();
    QProcess writer;
    writer.setProcessChannelMode(QProcess::ForwardedChannels);
    writer.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--write-large"), photo, large});
    if (!writer.waitForFinished(-1) || writer.exitCode() != 0) {
        std::fprintf(stderr, "cannot write the large copy of %s\n", qPrintable(photo));
        return 1;
    }
    std::printf("written in %.1f s, %.1f MB\n\n", timer.nsecsElapsed() / 1e9,
                double(QFileInfo(large).size()) / (1024.0 * 1024.0));

    const Run warm = ocrRun(program, photo, resultFile); // fills the model cache
    const Run original = ocrRun(program, photo, resultFile);
    const Run scaled = ocrRun(program, large, resultFile);
    printRun("slatebook --ocr on the photo", original);
    printRun("on its 16-bit large copy", scaled);
    const bool same = withoutSpaces(scaled.result) == withoutSpaces(warm.result);
    std::printf("  same characters read: %s\n", same ? "yes" : "no");
    if (!same)
        std::printf("--- photo\n%s--- large copy\n%s", qPrintable(warm.result),
                    qPrintable(scaled.result));
    return 0;
}
