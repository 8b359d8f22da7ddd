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
    // Higher on the page first, whatever the horizontal position.
    EXPECT_EQ(
        texts(ReadingOrder::sorted({line("low left", 0.1, 0.30), line("high right", 0.7, 0.60)})),
        QStringList({"high right", "low left"}));

    // Exactly 0.02 apart counts as one printed line: left to right.
    const double lower = 0.02;
    const double upper = 0.04;
    ASSERT_EQ(upper - lower, 0.02);
    EXPECT_EQ(texts(ReadingOrder::sorted({line("right", 0.6, upper), line("left", 0.1, lower)})),
              QStringList({"left", "right"}));

    // Just over 0.02 apart: two lines, the higher one first although it lies to the right.
    EXPECT_EQ(texts(ReadingOrder::sorted({line("left", 0.1, 0.0199), line("right", 0.6, 0.04)})),
              QStringList({"right", "left"}));
}

TEST(ReadingOrder, TwoColumnsInterleaveRowByRow)
{
    // Recognition returned the left column, then the right one; the right column sits a little
    // lower, as on a photo taken at a slight angle.
    const QList<Observation> columnByColumn = {
        line("L1", 0.05, 0.90),  line("L2", 0.05, 0.80), line("L3", 0.05, 0.70),
        line("R1", 0.55, 0.895), line("R2", 0.55, 0.79), line("R3", 0.55, 0.685),
    };
    EXPECT_EQ(texts(ReadingOrder::sorted(columnByColumn)),
              QStringList({"L1", "R1", "L2", "R2", "L3", "R3"}));
}

TEST(ReadingOrder, SlantedLineKeepsRecognitionOrderWhereTheTestDoesNotDecide)
{
    // A slanted printed line: each neighbour pair is within 0.02, the two ends are not, so the
    // test is not transitive. The sort applies it as it stands and stays deterministic.
    const Observation a = line("a", 0.1, 0.500);
    const Observation b = line("b", 0.4, 0.515);
    const Observation c = line("c", 0.7, 0.530);
    EXPECT_EQ(texts(ReadingOrder::sorted({a, b, c})), QStringList({"a", "b", "c"}));
    // c is higher than a by more than 0.02 and comes first; a and b, within 0.02 of each
    // other, follow left to right.
    EXPECT_EQ(texts(ReadingOrder::sorted({c, b, a})), QStringList({"c", "a", "b"}));

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
