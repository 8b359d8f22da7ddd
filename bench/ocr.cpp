// Recognition benchmark: bench/ocr DIR reads DIR/truth.json, recognises every image with the
// default languages, parses the lines with the built-in subjects and prints, per image and in
// total (also per image kind): seconds, character accuracy, entry precision / recall / F1, title
// and peak memory. With --lines it also prints each recognised line that differs from the truth.
// tests/data/README.md describes truth.json; `bench/ocr tests/data` runs from a clone.
//
// Then how well the low-confidence marks point at mistakes: every recognised line is paired with
// the truth line nearest to it by edit distance and aligned with it character by character; a
// character is wrong when the alignment does not pair it with the same character. For several
// thresholds it prints the share of wrong characters that would be marked and of right ones.
//
// Last, the cold start of `slatebook --ocr` on the folder's photo nearest 1600 pixels wide: the
// whole command with an empty model cache and with a filled one, the process alone (a missing
// file, so no network loads), and the sessions, detection and recognition of a first run timed
// one by one in a process of their own.

#include "core/ocr/OCR.h"
#include "bench/BenchHome.h"
#include "bench/MarkPlaces.h"
#include "bench/RecognitionMeasures.h"
#include "core/Parser.h"
#include "core/ScoredText.h"
#include "core/TextAlignment.h"
#include "core/ocr/image/ImageLoader.h"
#include "core/ocr/image/RgbImage.h"
#include "core/ocr/ppocr/LineCrop.h"
#include "core/ocr/ppocr/LineTrace.h"
#include "core/ocr/ppocr/ModelFiles.h"
#include "core/ocr/ppocr/PpOcrModels.h"
#include "core/ocr/ppocr/PpOcrSettings.h"
#include "core/ocr/ppocr/TextDetector.h"
#include "core/ocr/ppocr/TextRecognizer.h"
#include "core/ocr/ppocr/TunedSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <vector>

#include <sys/resource.h>

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
    double precision() const
    {
        return predicted ? double(matched) / predicted : (expected ? 0.0 : 1.0);
    }
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
        open.append(
            {value[QLatin1String("subject")].toString(), value[QLatin1String("text")].toString()});
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

// Whether each UTF-16 unit of `read` is paired with an equal unit of `truth` by an optimal
// alignment (edit distance with the usual unit costs).
std::vector<bool> rightUnits(const QString &read, const QString &truth)
{
    const std::vector<qsizetype> paired = TextAlignment::pairedUnits(read, truth);
    std::vector<bool> right(paired.size(), false);
    for (size_t i = 0; i < paired.size(); ++i)
        right[i] = paired[i] >= 0 && read[qsizetype(i)] == truth[paired[i]];
    return right;
}

// The truth line nearest to the read one by edit distance; empty when there is none.
QString nearestTruth(const QString &read, const QStringList &truth)
{
    QString nearest;
    qint64 best = std::numeric_limits<qint64>::max();
    for (const QString &candidate : truth) {
        const qint64 distance = editDistance(read, candidate);
        if (distance < best) {
            best = distance;
            nearest = candidate;
        }
    }
    return nearest;
}

// What the language prior did: the characters that differ between the readings with and
// without it, each right or wrong in either (the same lines, compared with their truth line).
struct PriorCounts {
    qint64 rightToWrong = 0;
    qint64 wrongToRight = 0;
    qint64 wrongToWrong = 0;

    void add(const QList<ScoredText> &with, const QList<ScoredText> &without,
             const QStringList &truth)
    {
        if (with.size() != without.size())
            return;
        for (qsizetype i = 0; i < with.size(); ++i) {
            const QString &after = with[i].text();
            const QString &before = without[i].text();
            if (after == before || after.size() != before.size())
                continue;
            const QString nearest = nearestTruth(after, truth);
            const std::vector<bool> rightAfter = rightUnits(after, nearest);
            const std::vector<bool> rightBefore = rightUnits(before, nearest);
            for (qsizetype k = 0; k < after.size(); ++k) {
                if (after[k] == before[k])
                    continue;
                if (rightBefore[size_t(k)] && !rightAfter[size_t(k)])
                    ++rightToWrong;
                else if (!rightBefore[size_t(k)] && rightAfter[size_t(k)])
                    ++wrongToRight;
                else
                    ++wrongToWrong;
            }
        }
    }
};

// How many right and wrong characters fall below each threshold.
struct MarkCounts {
    static constexpr std::array<float, 9> thresholds = {0.5f, 0.6f,  0.7f,  0.8f, 0.85f,
                                                        0.9f, 0.93f, 0.95f, 0.97f};
    qint64 right = 0;
    qint64 wrong = 0;
    std::array<qint64, thresholds.size()> rightMarked{};
    std::array<qint64, thresholds.size()> wrongMarked{};
    // The same without spaces: the network rarely writes them, the space restoration puts them in
    // with their neighbours' values, so a wrong space is seldom the network's doubt.
    qint64 wrongLetters = 0;
    std::array<qint64, thresholds.size()> wrongLettersMarked{};

    // With showMissed, prints every wrong character the threshold in use leaves unmarked.
    void add(const QList<ScoredText> &lines, const QStringList &truth, bool showMissed)
    {
        for (const ScoredText &line : lines) {
            if (truth.isEmpty())
                break;
            const std::vector<bool> right =
                rightUnits(line.text(), nearestTruth(line.text(), truth));
            for (size_t unit = 0; unit < right.size(); ++unit) {
                (right[unit] ? this->right : wrong) += 1;
                const bool wrongLetter = !right[unit] && line.text()[qsizetype(unit)] != u' ';
                wrongLetters += wrongLetter ? 1 : 0;
                const float confidence = line.confidence()[qsizetype(unit)];
                if (showMissed && !right[unit] && confidence >= doubtfulConfidence)
                    std::printf("    unmarked mistake '%s' (%.2f) in %s\n",
                                qPrintable(line.text().mid(qsizetype(unit), 1)), double(confidence),
                                qPrintable(line.text()));
                for (size_t t = 0; t < thresholds.size(); ++t) {
                    if (line.confidence()[qsizetype(unit)] < thresholds[t]) {
                        (right[unit] ? rightMarked[t] : wrongMarked[t]) += 1;
                        wrongLettersMarked[t] += wrongLetter ? 1 : 0;
                    }
                }
            }
        }
    }

    void print() const
    {
        std::printf("\nlow-confidence marks: %lld right and %lld wrong characters read (%lld wrong "
                    "other than spaces)\n",
                    right, wrong, wrongLetters);
        std::printf("%-10s %14s %17s %14s\n", "threshold", "wrong marked", "(without spaces)",
                    "right marked");
        for (size_t t = 0; t < thresholds.size(); ++t) {
            std::printf(
                "%-10.2f %6.1f %% %5lld  %6.1f %% %5lld    %6.2f %% %5lld%s\n",
                double(thresholds[t]), wrong ? 100.0 * double(wrongMarked[t]) / double(wrong) : 0.0,
                wrongMarked[t],
                wrongLetters ? 100.0 * double(wrongLettersMarked[t]) / double(wrongLetters) : 0.0,
                wrongLettersMarked[t], right ? 100.0 * double(rightMarked[t]) / double(right) : 0.0,
                rightMarked[t], thresholds[t] == doubtfulConfidence ? "   <- used" : "");
        }
    }
};

void printRow(const QString &name, const Score &score, const QString &title, long peakKilobytes)
{
    std::printf("%-22s %6.3f  %6.3f  %5.3f %5.3f %5.3f  %-9s %7.1f\n", qPrintable(name),
                score.seconds, score.accuracy(), score.precision(), score.recall(), score.f1(),
                qPrintable(title), double(peakKilobytes) / 1024.0);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Wall-clock seconds of one run of the command, start of the process to its end.
double secondsOf(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    process.waitForFinished(-1);
    return timer.nsecsElapsed() / 1e9;
}

// The photo that comes nearest to 1600 pixels on its longer side.
QString coldStartPhoto(const QDir &folder, const QJsonArray &truth)
{
    QString chosen;
    int nearest = std::numeric_limits<int>::max();
    for (const QJsonValue &entry : truth) {
        if (!entry[QLatin1String("kind")].toString().contains(QLatin1String("photo")))
            continue;
        const int side =
            std::max(entry[QLatin1String("width")].toInt(), entry[QLatin1String("height")].toInt());
        if (std::abs(side - 1600) < nearest) {
            nearest = std::abs(side - 1600);
            chosen = folder.filePath(entry[QLatin1String("file")].toString());
        }
    }
    return chosen;
}

// Runs with the model cache of a fresh home, so the first start finds it empty.
void printColdStart(const QString &photo, const QString &home)
{
    constexpr int runs = 5;
    const QString program =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../app/slatebook");
    QDir(home).mkpath(QStringLiteral(".deskmate/tools"));
    std::printf("cold start of slatebook --ocr %s (median of %d runs)\n",
                qPrintable(QFileInfo(photo).fileName()), runs);
    std::printf("  first start, empty model cache   %6.3f s\n",
                secondsOf(program, {QStringLiteral("--ocr"), photo}));
    std::vector<double> whole;
    std::vector<double> bare;
    for (int run = 0; run < runs; ++run) {
        whole.push_back(secondsOf(program, {QStringLiteral("--ocr"), photo}));
        bare.push_back(
            secondsOf(program, {QStringLiteral("--ocr"), home + QStringLiteral("/missing.png")}));
    }
    std::printf("  whole command, model cache filled %6.3f s\n", median(whole));
    std::printf("  process start (no image, no networks) %6.3f s\n", median(bare));
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    std::printf("  peak memory of the command        %6.1f MB\n",
                double(children.ru_maxrss) / 1024.0);

    // The stages of a first run, in a process of their own so that this one's memory figures
    // below stay those of the homework images.
    std::fflush(stdout);
    QProcess stages;
    stages.setProcessChannelMode(QProcess::ForwardedChannels);
    stages.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--first-run-stages"), photo});
    stages.waitForFinished(-1);
}

// The sessions, detection and recognition of this process's first run on the photo.
void printFirstRunStages(const QString &photo)
{
    QElapsedTimer timer;
    timer.start();
    PpOcrModels models(ModelFiles::locateFolder());
    if (!models.detection() || !models.recognition()) {
        std::printf("  the networks do not load\n\n");
        return;
    }
    const double sessions = timer.nsecsElapsed() / 1e9;
    timer.restart();
    models.direction();
    const double direction = timer.nsecsElapsed() / 1e9;
    const RgbImage rgb(ImageLoader::load(photo));
    timer.restart();
    std::vector<cv::Mat> strips;
    for (const TextQuad &box : TextDetector::detect(rgb.pixels(), *models.detection()))
        strips.push_back(LineCrop::upright(rgb.pixels(), box));
    const double detection = timer.nsecsElapsed() / 1e9;
    timer.restart();
    TextRecognizer::read(strips, *models.recognition(), models.alphabet());
    const double recognition = timer.nsecsElapsed() / 1e9;
    std::printf(
        "  first run: sessions %.3f s (detection and recognition side by side, from the cache; the "
        "direction network %.3f s more, loaded only when a line reads poorly), detection %.3f s, "
        "recognition %.3f s of %zu lines\n\n",
        sessions, direction, detection, recognition, strips.size());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    if (arguments.size() == 2 && arguments.front() == QStringLiteral("--first-run-stages")) {
        printFirstRunStages(arguments.back());
        return 0;
    }
    const bool showLines = arguments.removeAll(QStringLiteral("--lines")) > 0;
    const bool countPrior = arguments.removeAll(QStringLiteral("--prior")) > 0;
    QString cropFolder;
    bool usable = true;
    for (qsizetype i = 0; i + 1 < arguments.size();) {
        if (arguments[i] == QStringLiteral("--set")) {
            const QStringList setting = arguments[i + 1].split(QLatin1Char('='));
            bool number = setting.size() == 2;
            const double value = number ? setting[1].toDouble(&number) : 0.0;
            usable = usable && number;
            if (number)
                TunedSettings::set(setting[0], value);
        } else if (arguments[i] == QStringLiteral("--crops")) {
            cropFolder = arguments[i + 1];
        } else {
            ++i;
            continue;
        }
        arguments.remove(i, 2);
    }
    if (arguments.size() != 1 || !usable) {
        std::fprintf(stderr,
                     "usage: ocr [--lines] [--prior] [--set NAME=VALUE]... [--crops FOLDER] DIR\n"
                     "  DIR holds truth.json and the images it names; --prior also reads each\n"
                     "  image without the language prior and counts what it changed; --set\n"
                     "  overrides a setting of PpOcrSettings.h; --crops writes each line's crop\n"
                     "  to FOLDER/IMAGE/NN.png\n");
        return 2;
    }
    const QDir folder(arguments.front());
    QFile truthFile(folder.filePath(QStringLiteral("truth.json")));
    if (!truthFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(truthFile.fileName()));
        return 1;
    }
    const QJsonArray truth = QJsonDocument::fromJson(truthFile.readAll()).array();

    // The model cache, like everything else, goes to a fresh home: the first start finds it empty.
    QTemporaryDir home;
    useHome(home.path());
    if (const QString photo = coldStartPhoto(folder, truth); !photo.isEmpty())
        printColdStart(photo, home.path());

    // The first call loads the networks; time it apart so the rows below show loaded sessions.
    QImage blank(64, 64, QImage::Format_RGB888);
    blank.fill(Qt::white);
    QElapsedTimer timer;
    timer.start();
    OCR::recognize(blank, {});
    std::printf("model load (first call): %.3f s, peak memory %.1f MB\n\n",
                timer.nsecsElapsed() / 1e9, peakMemoryKilobytes() / 1024.0);

    std::printf("%-22s %6s  %6s  %5s %5s %5s  %-9s %7s\n", "image", "sec", "chars", "prec", "rec",
                "F1", "title", "peak MB");
    QMap<QString, Score> byKind;
    Score total;
    MarkCounts marks;
    MarkPlaces places;
    PriorCounts prior;
    for (const QJsonValue &entry : truth) {
        const QString file = entry[QLatin1String("file")].toString();
        QStringList expectedLines;
        for (const QJsonValue &line : entry[QLatin1String("lines")].toArray())
            expectedLines.append(line.toString());
        const QJsonValue expectedTitle = entry[QLatin1String("title")];
        const QJsonArray expectedItems = entry[QLatin1String("items")].toArray();

        if (!cropFolder.isEmpty())
            LineTrace::setCropFolder(QDir(cropFolder).filePath(QFileInfo(file).completeBaseName()));
        timer.restart();
        const QList<ScoredText> read = OCR::read(folder.filePath(file), {});
        Score score;
        score.images = 1;
        score.seconds = timer.nsecsElapsed() / 1e9;
        LineTrace::setCropFolder({});
        if (countPrior) {
            const double weight = TunedSettings::value("priorWeight", PpOcrSettings::priorWeight);
            TunedSettings::set(QStringLiteral("priorWeight"), 0.0);
            prior.add(read, OCR::read(folder.filePath(file), {}), expectedLines);
            TunedSettings::set(QStringLiteral("priorWeight"), weight);
        }
        for (const ScoredText &line : read)
            places.add(line, nearestTruth(line.text(), expectedLines), showLines);
        QStringList lines;
        for (const ScoredText &line : read)
            lines.append(line.text());
        const Parser::Result parsed = Parser::parseRecognised(read);
        marks.add(read, expectedLines, showLines);

        const QString expectedText = expectedLines.join(QLatin1Char('\n'));
        score.edits = editDistance(lines.join(QLatin1Char('\n')), expectedText);
        score.characters = expectedText.toUcs4().size();
        score.matched = matchedEntries(parsed.items, expectedItems);
        score.predicted = int(parsed.items.size());
        score.expected = int(expectedItems.size());
        const std::optional<QString> wanted = expectedTitle.isNull()
            ? std::nullopt
            : std::optional<QString>(expectedTitle.toString());
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

    std::printf("\n%-22s %6s  %6s  %5s %5s %5s  %-9s %7s\n", "kind", "sec", "chars", "prec", "rec",
                "F1", "titles", "peak MB");
    for (auto kind = byKind.cbegin(); kind != byKind.cend(); ++kind) {
        const Score &score = kind.value();
        printRow(kind.key(), score,
                 QStringLiteral("%1/%2").arg(score.titlesRight).arg(score.images),
                 peakMemoryKilobytes());
    }
    printRow(QStringLiteral("total"), total,
             QStringLiteral("%1/%2").arg(total.titlesRight).arg(total.images),
             peakMemoryKilobytes());
    std::printf("\nmean seconds per image: %.3f   peak memory (VmHWM): %.1f MB\n",
                total.seconds / total.images, peakMemoryKilobytes() / 1024.0);
    marks.print();
    std::printf(
        "\nmarked places: %lld, of which %lld at a mistake (precision %.3f); mistakes: %lld, "
        "of which %lld marked (recall %.3f)\n",
        places.marked, places.markedRight, places.precision(), places.mistakes,
        places.mistakesMarked, places.recall());
    if (countPrior)
        std::printf("language prior: %lld characters right to wrong, %lld wrong to right, %lld "
                    "wrong to another wrong\n",
                    prior.rightToWrong, prior.wrongToRight, prior.wrongToWrong);
    for (const QString &name : TunedSettings::unread())
        std::printf("--set %s: no setting of that name was read\n", qPrintable(name));
    return 0;
}
