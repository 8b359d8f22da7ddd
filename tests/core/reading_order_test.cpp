#include "core/ocr/ReadingOrder.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <ostream>

// Readable failure messages for the texts compared below.
static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// A line whose box has its vertical centre exactly at midY and its left edge at minX (lower-left
// origin). Flat boxes keep the centre free of rounding, so thresholds can be hit exactly.
Observation line(const QString &text, double minX, double midY)
{
    return {QRectF(minX, midY, 0.3, 0.0), {text}};
}

QStringList texts(const QList<Observation> &observations)
{
    QStringList result;
    for (const Observation &observation : observations)
        result.append(observation.candidates.value(0));
    return result;
}

} // namespace

TEST(ReadingOrder, TopToBottomThenLeftToRightWithinTwoPercent)
{
    // A slanted printed line: each neighbour pair is within 0.02, the two ends are not, so the
    // test is not transitive. The sort applies it as it stands and stays deterministic.
    const Observation a = line("a", 0.1, 0.500);
    const Observation b = line("b", 0.4, 0.515);
    const Observation c = line("c", 0.7, 0.530);
    const struct {
        const char *name;
        QList<Observation> read;
        QStringList sorted;
    } rows[] = {
        {"higher first, whatever the horizontal position",
         {line("low left", 0.1, 0.30), line("high right", 0.7, 0.60)},
         {"high right", "low left"}},
        // Flat boxes keep 0.04 - 0.02 exactly 0.02.
        {"exactly 0.02 apart is one line: left to right",
         {line("right", 0.6, 0.04), line("left", 0.1, 0.02)},
         {"left", "right"}},
        {"just over 0.02 apart is two lines",
         {line("left", 0.1, 0.0199), line("right", 0.6, 0.04)},
         {"right", "left"}},
        // Recognition returned the left column, then the right one, which sits a little lower,
        // as on a photo taken at a slight angle.
        {"two columns interleave row by row",
         {line("L1", 0.05, 0.90), line("L2", 0.05, 0.80), line("L3", 0.05, 0.70),
          line("R1", 0.55, 0.895), line("R2", 0.55, 0.79), line("R3", 0.55, 0.685)},
         {"L1", "R1", "L2", "R2", "L3", "R3"}},
        {"a slanted line keeps recognition order", {a, b, c}, {"a", "b", "c"}},
        // c is higher than a by more than 0.02 and comes first; a and b follow left to right.
        {"a slanted line read backwards", {c, b, a}, {"c", "a", "b"}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(texts(ReadingOrder::sorted(row.read)), row.sorted) << row.name;

    // Many slanted, overlapping lines in random order: every observation comes out exactly once.
    QList<Observation> many;
    QRandomGenerator random(7);
    for (int i = 0; i < 300; ++i)
        many.append(line(QString::number(i), random.bounded(1.0), 0.3 + random.bounded(0.05)));
    QStringList sorted = texts(ReadingOrder::sorted(many));
    QStringList original = texts(many);
    sorted.sort();
    original.sort();
    EXPECT_EQ(sorted, original);
}

TEST(ReadingOrder, LinesSkipObservationsWithoutCandidatesAndKeepTheOthers)
{
    const QList<Observation> observations = {
        line("first", 0.1, 0.9),
        {QRectF(0.1, 0.8, 0.3, 0.0), {}},
        line(" second  ", 0.1, 0.7),
        line("third", 0.1, 0.5),
    };
    // Candidates are taken unchanged: no trimming here.
    EXPECT_EQ(ReadingOrder::bestLines(observations), QStringList({"first", " second  ", "third"}));
    EXPECT_TRUE(ReadingOrder::bestLines({}).isEmpty());
}
