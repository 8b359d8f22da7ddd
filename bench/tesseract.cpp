// Tesseract benchmark: renders a Japanese homework page (as a phone screenshot and as a slanted,
// blurred photo of paper), reads it through OCR::recognize with "ja-JP" and prints the time of
// the first call (which initialises Tesseract with the Japanese data), the time per page with
// the initialised engine, character accuracy and peak memory. With --lines it also prints each
// line read. With IMAGE [LANGS] it times that image instead (LANGS comma-separated, default ja-JP).

#include "bench/RecognitionMeasures.h"
#include "core/ocr/OCR.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QStringList pageLines = {
    "宿題 3月15日",
    "国語：漢字ドリル 12ページを三回書く",
    "国語：教科書の音読をする",
    "算数：計算プリントをする",
    "算数：教科書 45ページの問題を解く",
    "理科：観察カードを仕上げる",
    "社会：地図帳で都道府県を調べる",
    "英語：単語を五回ずつ書く",
    "明日は体操服を持ってくること",
};

constexpr int runs = 5;

QImage screenshot()
{
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(44);
    const QFontMetrics metrics(font);
    const int lineHeight = metrics.height() * 9 / 5;
    QImage page(1080, 160 + lineHeight * int(pageLines.size()), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setFont(font);
    painter.setPen(QColor(30, 30, 30));
    for (qsizetype i = 0; i < pageLines.size(); ++i)
        painter.drawText(60, 80 + int(i) * lineHeight + metrics.ascent(), pageLines[i]);
    return page;
}

// The page printed on slightly grey paper, photographed at a small angle under uneven light and
// a little out of focus, at a phone camera's size.
QImage photo(const QImage &page)
{
    QImage sheet(3000, 3000 * page.height() / page.width() + 200, QImage::Format_RGB32);
    QPainter painter(&sheet);
    QLinearGradient light(0, 0, sheet.width(), sheet.height());
    light.setColorAt(0, QColor(236, 232, 222));
    light.setColorAt(1, QColor(178, 172, 160));
    painter.fillRect(sheet.rect(), light);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(sheet.width() / 2.0, sheet.height() / 2.0);
    painter.rotate(1.5);
    painter.scale(2.6, 2.6);
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.drawImage(QPointF(-page.width() / 2.0, -page.height() / 2.0), page);
    painter.end();
    return sheet.scaled(sheet.size() / 3, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .scaled(sheet.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Times the image; with known lines also scores characters over the whole page.
void measure(const char *name, const QImage &image, const QStringList &languages,
             const QStringList &truth, bool showLines)
{
    QStringList lines;
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        lines = OCR::recognize(image, languages);
        seconds.push_back(timer.nsecsElapsed() / 1e9);
    }
    std::sort(seconds.begin(), seconds.end());
    double total = 0;
    for (double s : seconds)
        total += s;
    std::printf("%-12s %5dx%-5d %7.3f %7.3f %6lld", name, image.width(), image.height(),
                total / runs, seconds.front(), static_cast<long long>(lines.size()));
    if (!truth.isEmpty()) {
        const QString expected = truth.join(u'\n');
        const double accuracy =
            1.0 - double(editDistance(lines.join(u'\n'), expected)) / double(expected.size());
        std::printf("  %6.3f", accuracy);
    } else {
        std::printf("  %6s", "-");
    }
    std::printf("  %7.1f\n", peakMemoryKilobytes() / 1024.0);
    if (showLines) {
        for (const QString &line : lines)
            std::printf("    %s\n", qPrintable(line));
    }
}

} // namespace

int main(int argc, char **argv)
{
    // Rendering text needs a GUI application, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    const bool showLines = arguments.removeAll(QStringLiteral("--lines")) > 0;
    if (arguments.size() > 2) {
        std::fprintf(stderr, "usage: tesseract [--lines] [IMAGE [LANGS]]\n");
        return 2;
    }
    QStringList languages = {QStringLiteral("ja-JP")};
    if (arguments.size() == 2)
        languages = arguments[1].split(u',', Qt::SkipEmptyParts);

    // The first call initialises Tesseract with the trained data; time it apart.
    QImage blank(64, 64, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QElapsedTimer timer;
    timer.start();
    OCR::recognize(blank, languages);
    std::printf("languages %s; initialise (first call): %.3f s, peak memory %.1f MB\n\n",
                qPrintable(languages.join(u',')), timer.nsecsElapsed() / 1e9,
                peakMemoryKilobytes() / 1024.0);

    std::printf("%-12s %11s %7s %7s %6s  %6s  %7s\n", "page", "size", "mean s", "min s", "lines",
                "chars", "peak MB");
    if (!arguments.isEmpty()) {
        const QImage image(arguments[0]);
        if (image.isNull()) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(arguments[0]));
            return 1;
        }
        measure("image", image, languages, {}, showLines);
        return 0;
    }
    const QImage page = screenshot();
    measure("screenshot", page, languages, pageLines, showLines);
    measure("photo", photo(page), languages, pageLines, showLines);
    std::printf("\n(%d runs each after the first call)\n", runs);
    return 0;
}
