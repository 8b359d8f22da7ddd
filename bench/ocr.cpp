// Recognition benchmark: bench/ocr DIR reads DIR/truth.json, recognises every image with the
// default languages, parses the lines with the built-in subjects and prints, per image and in
// total (also per image kind): seconds, character accuracy, entry precision / recall / F1, title
// and peak memory. With --lines it also prints each recognised line that differs from the truth.
// tests/data/README.md describes truth.json; `bench/ocr tests/data` runs from a clone.

#include "bench/RecognitionMeasures.h"
#include "core/Parser.h"
#include "core/ocr/OCR.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

struct Score {
    int images = 0;
    double seconds = 0;
    qint64 edits = 0;
    qint64 characters = 0;
    int matched = 0;
    int predicted = 0;
    int expected = 0;
    int titlesRight = 0;

    void add(const Score &other)
    {
        images += other.images;
        seconds += other.seconds;
        edits += other.edits;
        characters += other.characters;
        matched += other.matched;
        predicted += other.predicted;
        expected += other.expected;
        titlesRight += other.titlesRight;
    }
    double accuracy() const { return characters ? 1.0 - double(edits) / double(characters) : 1.0; }
    double precision() const { return predicted ? double(matched) / predicted : (expected ? 0.0 : 1.0); }
    double recall() const { return expected ? double(matched) / expected : 1.0; }
    double f1() const
    {
        const double p = precision();
        const double r = recall();
        return p + r > 0 ? 2 * p * r / (p + r) : 0.0;
    }
};

// Entries count when subject and text match exactly; each expected entry matches at most once.
int matchedEntries(const QList<SlateItem> &items, const QJsonArray &expected)
{
    QList<QPair<QString, QString>> open;
    for (const QJsonValue &value : expected)
        open.append({value[QLatin1String("subject")].toString(), value[QLatin1String("text")].toString()});
    int matched = 0;
    for (const SlateItem &item : items) {
        const qsizetype at = open.indexOf(QPair<QString, QString>(item.subject, item.text));
        if (at >= 0) {
            open.removeAt(at);
            ++matched;
        }
    }
    return matched;
}

void printRow(const QString &name, const Score &score, const QString &title, long peakKilobytes)
{
    std::printf("%-22s %6.3f  %6.3f  %5.3f %5.3f %5.3f  %-9s %7.1f\n", qPrintable(name), score.seconds,
                score.accuracy(), score.precision(), score.recall(), score.f1(), qPrintable(title),
                double(peakKilobytes) / 1024.0);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    const bool showLines = arguments.removeAll(QStringLiteral("--lines")) > 0;
    if (arguments.size() != 1) {
        std::fprintf(stderr, "usage: ocr [--lines] DIR  (DIR holds truth.json and the images it names)\n");
        return 2;
    }
    const QDir folder(arguments.front());
    QFile truthFile(folder.filePath(QStringLiteral("truth.json")));
    if (!truthFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(truthFile.fileName()));
        return 1;
    }
    const QJsonArray truth = QJsonDocument::fromJson(truthFile.readAll()).array();

    // The first call loads the networks; time it apart so the rows below show loaded sessions.
    QImage blank(64, 64, QImage::Format_RGB888);
    blank.fill(Qt::white);
    QElapsedTimer timer;
    timer.start();
    OCR::recognize(blank, {});
    std::printf("model load (first call): %.3f s, peak memory %.1f MB\n\n", timer.nsecsElapsed() / 1e9,
                peakMemoryKilobytes() / 1024.0);

    std::printf("%-22s %6s  %6s  %5s %5s %5s  %-9s %7s\n", "image", "sec", "chars", "prec", "rec", "F1", "title",
                "peak MB");
    QMap<QString, Score> byKind;
    Score total;
    for (const QJsonValue &entry : truth) {
        const QString file = entry[QLatin1String("file")].toString();
        QStringList expectedLines;
        for (const QJsonValue &line : entry[QLatin1String("lines")].toArray())
            expectedLines.append(line.toString());
        const QJsonValue expectedTitle = entry[QLatin1String("title")];
        const QJsonArray expectedItems = entry[QLatin1String("items")].toArray();

        timer.restart();
        const QStringList lines = OCR::recognize(folder.filePath(file), {});
        Score score;
        score.images = 1;
        score.seconds = timer.nsecsElapsed() / 1e9;
        const Parser::Result parsed = Parser::parse(lines);

        const QString expectedText = expectedLines.join(QLatin1Char('\n'));
        score.edits = editDistance(lines.join(QLatin1Char('\n')), expectedText);
        score.characters = expectedText.toUcs4().size();
        score.matched = matchedEntries(parsed.items, expectedItems);
        score.predicted = int(parsed.items.size());
        score.expected = int(expectedItems.size());
        const std::optional<QString> wanted
            = expectedTitle.isNull() ? std::nullopt : std::optional<QString>(expectedTitle.toString());
        score.titlesRight = parsed.title == wanted ? 1 : 0;

        printRow(file, score, score.titlesRight ? QStringLiteral("right") : QStringLiteral("WRONG"),
                 peakMemoryKilobytes());
        if (showLines) {
            for (const QString &line : lines) {
                if (!expectedLines.contains(line))
                    std::printf("    read  %s\n", qPrintable(line));
            }
            for (const QString &line : expectedLines) {
                if (!lines.contains(line))
                    std::printf("    truth %s\n", qPrintable(line));
            }
        }
        byKind[entry[QLatin1String("kind")].toString()].add(score);
        total.add(score);
    }

    std::printf("\n%-22s %6s  %6s  %5s %5s %5s  %-9s %7s\n", "kind", "sec", "chars", "prec", "rec", "F1", "titles",
                "peak MB");
    for (auto kind = byKind.cbegin(); kind != byKind.cend(); ++kind) {
        const Score &score = kind.value();
        printRow(kind.key(), score, QStringLiteral("%1/%2").arg(score.titlesRight).arg(score.images), peakMemoryKilobytes());
    }
    printRow(QStringLiteral("total"), total, QStringLiteral("%1/%2").arg(total.titlesRight).arg(total.images),
             peakMemoryKilobytes());
    std::printf("\nmean seconds per image: %.3f   peak memory (VmHWM): %.1f MB\n", total.seconds / total.images,
                peakMemoryKilobytes() / 1024.0);
    return 0;
}
