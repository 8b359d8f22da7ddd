#include "core/Parser.h"
#include "core/ScoredText.h"
#include "core/ocr/ppocr/CtcDecoder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

// How sure recognition was of each character, from the decoder through the rules that edit a
// line to the entries the parser makes of it.

static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// A line whose characters carry their own position / 100 (first 0.01, then 0.02, ...), so every
// value shows where it came from. Spaces in `line` get the value given.
ScoredText numbered(const QString &line, float space = 1.0f)
{
    QList<float> values;
    for (qsizetype i = 0; i < line.size(); ++i)
        values.append(line[i] == u' ' ? space : float(i + 1) / 100.0f);
    return ScoredText(line, values);
}

QList<float> valuesAt(const ScoredText &line, std::initializer_list<qsizetype> positions)
{
    QList<float> values;
    for (qsizetype at : positions)
        values.append(line.confidence()[at]);
    return values;
}

} // namespace

TEST(ParserConfidence, DecoderGivesEachCharacterItsClearestStep)
{
    // Steps: "a" at 0.6 then 0.95, blank, "b" at 0.4. Class 0 is the blank.
    const std::vector<QString> alphabet{QStringLiteral("a"), QStringLiteral("b"),
                                        QStringLiteral(" ")};
    const float rows[4][4] = {{0.1f, 0.6f, 0.2f, 0.1f},
                              {0.0f, 0.95f, 0.05f, 0.0f},
                              {0.9f, 0.05f, 0.05f, 0.0f},
                              {0.3f, 0.2f, 0.4f, 0.1f}};
    const DecodedLine line = CtcDecoder::decode(&rows[0][0], 4, 4, alphabet);
    ASSERT_EQ(line.characters.size(), 2u);
    EXPECT_FLOAT_EQ(line.characters[0].probability, 0.95f);
    EXPECT_FLOAT_EQ(line.characters[1].probability, 0.4f);
}

TEST(ParserConfidence, ValuesFollowCharactersThroughRulesThatIgnoreThem)
{
    // The engine's rules put spaces back and repair look-alikes: kept and replaced characters
    // keep their values, an inserted space takes the lower of its neighbours'.
    const ScoredText read(QStringLiteral("pl2第3题"), {0.9f, 0.3f, 0.8f, 0.7f, 0.95f, 0.99f});
    const ScoredText edited = read.carriedTo(QStringLiteral("p12 第3题"));
    EXPECT_EQ(edited.text(), QStringLiteral("p12 第3题"));
    EXPECT_EQ(edited.confidence(), QList<float>({0.9f, 0.3f, 0.8f, 0.7f, 0.7f, 0.95f, 0.99f}));
    // Trimmed ends drop their values; an unchanged text keeps all of them.
    EXPECT_EQ(ScoredText(QStringLiteral(" ab "), {0.1f, 0.5f, 0.6f, 0.2f})
                  .carriedTo(QStringLiteral("ab"))
                  .confidence(),
              QList<float>({0.5f, 0.6f}));
    EXPECT_EQ(read.carriedTo(read.text()), read);

    // Values that do not fit the text are not trusted to mark anything.
    EXPECT_EQ(ScoredText(QStringLiteral("abc"), {0.1f}).confidence(),
              QList<float>({1.0f, 1.0f, 1.0f}));

    // Runs below the threshold are the places to check; full confidence or none marks nothing.
    const QList<float> marks{0.99f, 0.2f, 0.3f, 0.95f, 0.1f};
    EXPECT_EQ(doubtfulSpans(marks), QList<TextSpan>({{1, 2}, {4, 1}}));
    EXPECT_TRUE(doubtfulSpans({}).isEmpty());
    EXPECT_TRUE(doubtfulSpans(ScoredText(QStringLiteral("全文")).confidence()).isEmpty());
}

TEST(ParserConfidence, EntriesCarryTheValuesOfTheCharactersTheyCameFrom)
{
    // 数学 opens the subject; the colon and the list number go; the run of two spaces becomes one
    // space with the lower of their values; the semicolon splits; p becomes P with its own value.
    // Positions: 数0 学1 ：2 1 3 .4 (5) p6 1 7 2 8 (9) (10) 第11 3 12 题13 ；14 练15 习16 册17.
    const ScoredText line = numbered(QStringLiteral("数学：1. p12  第3题；练习册"));
    QList<float> values = line.confidence();
    values[9] = 0.5f; // the two spaces after p12
    values[10] = 0.2f;
    const ScoredText scored(line.text(), values);

    const Parser::Result result = Parser::parseRecognised({scored});
    ASSERT_EQ(result.items.size(), 2);
    EXPECT_EQ(result.items[0].text, QStringLiteral("P12 第3题"));
    EXPECT_EQ(result.items[0].textConfidence,
              QList<float>({0.07f, 0.08f, 0.09f, 0.2f, 0.12f, 0.13f, 0.14f}));
    EXPECT_EQ(result.items[1].text, QStringLiteral("练习册"));
    EXPECT_EQ(result.items[1].textConfidence, valuesAt(scored, {15, 16, 17}));

    // A continuation line under the subject: bullet, date-free text, trailing bracket.
    const ScoredText continued = numbered(QStringLiteral("• 背诵《春》】"));
    const Parser::Result both = Parser::parseRecognised({scored, continued});
    ASSERT_EQ(both.items.size(), 3);
    EXPECT_EQ(both.items[2].text, QStringLiteral("背诵《春》"));
    EXPECT_EQ(both.items[2].textConfidence, valuesAt(continued, {2, 3, 4, 5, 6}));

    // A date after the subject is removed with its values: 英语 3.15 默写.
    const ScoredText dated = numbered(QStringLiteral("英语 3.15 默写"), 0.4f);
    const Parser::Result english = Parser::parseRecognised({dated});
    ASSERT_EQ(english.items.size(), 1);
    EXPECT_EQ(english.items[0].text, QStringLiteral("默写"));
    EXPECT_EQ(english.items[0].textConfidence, valuesAt(dated, {8, 9}));

    // Recognised lines and the same lines as plain text give the same entries; plain text has
    // nothing to mark.
    const Parser::Result plain = Parser::parse(QStringList{scored.text(), continued.text()});
    ASSERT_EQ(plain.items.size(), both.items.size());
    for (qsizetype i = 0; i < plain.items.size(); ++i) {
        EXPECT_EQ(plain.items[i].title(), both.items[i].title());
        EXPECT_TRUE(plain.items[i].textConfidence.isEmpty());
        EXPECT_EQ(both.items[i].textConfidence.size(), both.items[i].text.size());
    }
}
