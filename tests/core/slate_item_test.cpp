#include "core/SlateItem.h"

#include <QSet>

#include <gtest/gtest.h>

TEST(SlateItem, EachNewItemIsDistinctAndSelected)
{
    const SlateItem first(QStringLiteral("英语"), QStringLiteral("背单词"));
    const SlateItem second(QStringLiteral("英语"), QStringLiteral("背单词"));

    EXPECT_TRUE(first.enabled);
    EXPECT_FALSE(first.id.isNull());
    EXPECT_NE(first.id, second.id);
    EXPECT_NE(first, second);
}

TEST(SlateItem, EqualityAndHashCoverAllFourFields)
{
    const SlateItem original(QStringLiteral("数学"), QStringLiteral("P12 第3题"));
    const SlateItem rebuilt(original.id, original.subject, original.text, original.enabled);
    EXPECT_EQ(original, rebuilt);
    EXPECT_EQ(qHash(original, 7), qHash(rebuilt, 7));

    SlateItem unticked = original;
    unticked.enabled = false;
    EXPECT_NE(original, unticked);

    SlateItem edited = original;
    edited.text = QStringLiteral("P13 第3题");
    EXPECT_NE(original, edited);

    SlateItem refiled = original;
    refiled.subject = QStringLiteral("物理");
    EXPECT_NE(original, refiled);

    const QSet<SlateItem> set{original, rebuilt, unticked, edited, refiled};
    EXPECT_EQ(set.size(), 4);
}

TEST(SlateItem, TitleJoinsSubjectAndTextWithFullWidthBar)
{
    const QString title = SlateItem(QStringLiteral("英语"), QStringLiteral("背单词")).title();
    EXPECT_EQ(title.toStdString(), "英语｜背单词");
    EXPECT_EQ(title.at(2), QChar(0xFF5C));

    EXPECT_EQ(SlateItem(QString(), QStringLiteral("P12 第3题")).title().toStdString(), "P12 第3题");
    EXPECT_TRUE(SlateItem(QString(), QString()).title().isEmpty());
    EXPECT_EQ(SlateItem(QStringLiteral("语文"), QString()).title().toStdString(), "语文｜");
}
