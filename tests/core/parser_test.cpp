#include "core/Parser.h"

#include <gtest/gtest.h>

#include <QLoggingCategory>

#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

// Helpers turn QStrings into UTF-8 std::strings so that failures print readable Chinese.
std::string clean(const char *text)
{
    return Parser::clean(QString::fromUtf8(text)).toStdString();
}

std::string stripNumber(const char *text)
{
    return Parser::stripLeadingNumber(QString::fromUtf8(text)).toStdString();
}

std::vector<std::string> utf8(const QStringList &texts)
{
    std::vector<std::string> result;
    for (const QString &text : texts)
        result.push_back(text.toStdString());
    return result;
}

std::vector<std::string> split(const char *text)
{
    return utf8(Parser::splitInline(QString::fromUtf8(text)));
}

// Each entry as its title, 科目｜任务, which shows subject and text in one string.
std::vector<std::string> entries(const Parser::Result &result)
{
    std::vector<std::string> titles;
    for (const SlateItem &item : result.items)
        titles.push_back(item.title().toStdString());
    return titles;
}

std::vector<std::string> entries(const QStringList &lines, const QStringList &subjects = {})
{
    return entries(Parser::parse(lines, subjects));
}

std::optional<std::string> title(const QStringList &lines)
{
    const std::optional<QString> title = Parser::parse(lines).title;
    return title ? std::optional(title->toStdString()) : std::nullopt;
}

using Entries = std::vector<std::string>;

} // namespace

TEST(ParserClean, TrimsBulletsAtTheEndsAndCollapsesWhiteSpace)
{
    EXPECT_EQ(clean("【作业】"), "作业");
    EXPECT_EQ(clean("  • 背课文 •  "), "背课文");
    EXPECT_EQ(clean("\n\t●■ 做《练习》 ◆"), "做《练习》");
    EXPECT_EQ(clean("做 • 题 【一】 - 二"), "做 • 题 【一】 - 二");
    EXPECT_EQ(clean("读\t\t课文\r\n两遍\u3000\u2028三遍"), "读 课文 两遍 三遍");
    EXPECT_EQ(clean("\u3000练习\u00A0"), "练习");
    EXPECT_EQ(clean("•••"), "");
    EXPECT_EQ(clean(""), "");
    // White space stops the bullet trim, so a bracket behind it stays.
    EXPECT_EQ(clean("• 【作业】 •"), "【作业】");
    // U+180E is no longer white space in Unicode; U+0085 is.
    EXPECT_EQ(clean("a\u180Eb\u0085c"), "a\u180Eb c");
}

TEST(ParserStripLeadingNumber, RemovesOneListNumberOfAtMostTwoDigits)
{
    EXPECT_EQ(stripNumber("1. 背课文"), "背课文");
    EXPECT_EQ(stripNumber("\t12、 练习\u3000"), "练习");
    EXPECT_EQ(stripNumber("3）默写"), "默写");
    EXPECT_EQ(stripNumber("4：听写"), "听写");
    EXPECT_EQ(stripNumber("5 预习"), "预习");
    EXPECT_EQ(stripNumber("１２．练习"), "练习");
    EXPECT_EQ(stripNumber("123页"), "3页");
    EXPECT_EQ(stripNumber("1.2.3"), "2.3");
    EXPECT_EQ(stripNumber("(1)练习"), "(1)练习");
    EXPECT_EQ(stripNumber("第1题"), "第1题");
}

TEST(ParserStripLeadingNumber, KeepsABareNumber)
{
    EXPECT_EQ(stripNumber("12"), "12");
    EXPECT_EQ(stripNumber("3."), "3.");
    EXPECT_EQ(stripNumber(" 7、 "), "7、");
}

TEST(ParserStripLeadingNumber, TrimsWhiteSpaceButNotLineBreaks)
{
    EXPECT_EQ(stripNumber("\n1. 练习"), "\n1. 练习");
    EXPECT_EQ(stripNumber("练习\r"), "练习\r");
}

TEST(ParserStripLeadingNumber, WritesPageReferencesWithCapitalP)
{
    EXPECT_EQ(stripNumber("p12 第3题"), "P12 第3题");
    EXPECT_EQ(stripNumber("第p3"), "第P3");
    EXPECT_EQ(stripNumber("2. p5-p7"), "P5-P7");
    EXPECT_EQ(stripNumber("p３"), "P３");
    EXPECT_EQ(stripNumber("up1"), "up1");
    EXPECT_EQ(stripNumber("pp3"), "pp3");
    EXPECT_EQ(stripNumber("page 3"), "page 3");
    EXPECT_EQ(stripNumber("P5"), "P5");
}

TEST(ParserSplitInline, SplitsOnlyAtSemicolonsAndDoubleAmpersands)
{
    EXPECT_EQ(split("背课文；抄写;练习&&预习"), (Entries{"背课文", "抄写", "练习", "预习"}));
    EXPECT_EQ(split("a&&&b"), (Entries{"a", "&b"}));
    EXPECT_EQ(split("1. 读，2. 写、3 背 & 练"), (Entries{"1. 读，2. 写、3 背 & 练"}));
    EXPECT_EQ(split("• 读 ; 【写】"), (Entries{"读", "写"}));
}

TEST(ParserSplitInline, DropsPiecesThatCleanToNothing)
{
    EXPECT_EQ(split("读；；写;"), (Entries{"读", "写"}));
    EXPECT_EQ(split(" ; •；&& "), Entries{});
    EXPECT_EQ(split(""), Entries{});
}

TEST(ParserFirstMatch, ReturnsWholeMatchThenEveryGroup)
{
    const auto found =
        Parser::firstMatch(QStringLiteral("第 3-5 页, 7-9"), QStringLiteral("(\\d)-(\\d)(x)?"));
    ASSERT_TRUE(found);
    EXPECT_EQ(utf8(*found), (Entries{"3-5", "3", "5", ""}));

    const auto wide =
        Parser::firstMatch(QStringLiteral("作业\u3000３／５"), QStringLiteral("\\s(\\d)"));
    ASSERT_TRUE(wide);
    EXPECT_EQ(utf8(*wide), (Entries{"\u3000３", "３"}));

    EXPECT_FALSE(Parser::firstMatch(QStringLiteral("作业"), QStringLiteral("\\d")));
    EXPECT_FALSE(Parser::firstMatch(QStringLiteral("作业 3"), QStringLiteral("(\\d")));
}

namespace {

QStringList parserMessages;

void keepParserMessage(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    if (qstrcmp(context.category, "slatebook.parser") == 0)
        parserMessages.append(message);
}

} // namespace

TEST(ParserDebug, TracesOneLinePerNonEmptyLineOnlyWhenItsCategoryIsOn)
{
    const QStringList lines{QStringLiteral(" 数学：练习 "), QString(), QStringLiteral("•")};
    parserMessages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepParserMessage);

    Parser::parse(lines);
    EXPECT_TRUE(parserMessages.isEmpty());

    QLoggingCategory::setFilterRules(QStringLiteral("slatebook.parser.debug=true"));
    Parser::parse(lines);
    Parser::dbg(QStringLiteral("完"));
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
    EXPECT_EQ(
        parserMessages,
        QStringList({QStringLiteral("[parse] LINE: 数学：练习"), QStringLiteral("[parse] 完")}));
}

TEST(ParserParse, SubjectLineOpensSubjectForFollowingLines)
{
    EXPECT_EQ(entries({"语文：", "1. 背课文", "2. 抄写生字; 完成练习册"}),
              (Entries{"语文｜背课文", "语文｜抄写生字", "语文｜完成练习册"}));
    EXPECT_EQ(entries({"数学：p12 第3题"}), (Entries{"数学｜P12 第3题"}));
    EXPECT_EQ(entries({"语文：1. 背诵 2. 默写", "数学：12"}),
              (Entries{"语文｜背诵 2. 默写", "数学｜12"}));
    // Separators are trimmed from both ends of what follows the name.
    EXPECT_EQ(entries({"数学 —— 练习。", "语文、数学：背诵"}),
              (Entries{"数学｜练习", "语文｜数学：背诵"}));
}

TEST(ParserParse, LinesBeforeTheFirstSubjectAndEmptyLinesYieldNothing)
{
    EXPECT_EQ(entries({"今天的作业", "带齐课本", "英语：背单词"}), (Entries{"英语｜背单词"}));
    EXPECT_EQ(entries({"数学：", "", "  \t", "•", "练习"}), (Entries{"数学｜练习"}));
    const Parser::Result none = Parser::parse({});
    EXPECT_TRUE(none.items.isEmpty());
    EXPECT_FALSE(none.title);
}

TEST(ParserParse, SubjectOpensLineOnlyWithinThreeCharactersOfItsStart)
{
    EXPECT_EQ(entries({"1.数学 练习", "【语文】背诵", "(1)英语：听写"}),
              (Entries{"数学｜练习", "语文｜背诵", "英语｜听写"}));
    EXPECT_EQ(entries({"语文：背诵", "今天没有数学作业"}),
              (Entries{"语文｜背诵", "语文｜今天没有数学作业"}));
    EXPECT_EQ(entries({"今天没有数学作业"}), Entries{});
}

TEST(ParserParse, CountsUserPerceivedCharactersBeforeTheSubject)
{
    // Each of these three is one character but more than one UTF-16 unit.
    EXPECT_EQ(entries({"ab\u0301c数学：练习"}), (Entries{"数学｜练习"}));
    EXPECT_EQ(entries({"a🇨🇳👍🏽数学：练习"}), (Entries{"数学｜练习"}));
    EXPECT_EQ(entries({"语文：背诵", "🇨🇳🇨🇳🇨🇳🇨🇳数学"}),
              (Entries{"语文｜背诵", "语文｜🇨🇳🇨🇳🇨🇳🇨🇳数学"}));
}

TEST(ParserParse, EarliestSubjectWinsAndListOrderBreaksTies)
{
    EXPECT_EQ(entries({"政治 数学 复习"}), (Entries{"政治｜数学 复习"}));
    EXPECT_EQ(entries({"数学拓展：练习"}, {"数学", "数学拓展"}), (Entries{"数学｜拓展：练习"}));
    EXPECT_EQ(entries({"数学拓展：练习"}, {"数学拓展", "数学"}), (Entries{"数学拓展｜练习"}));
}

TEST(ParserParse, UsesBuiltInSubjectsOnlyWhenNoneAreGiven)
{
    EXPECT_EQ(entries({"道德与法治：背诵", "音乐：唱歌", "道法：复习"}),
              (Entries{"道德与法治｜背诵", "音乐｜唱歌", "道法｜复习"}));
    EXPECT_EQ(entries({"语文：背诵", "数学：练习"}, {"数学"}), (Entries{"数学｜练习"}));
    EXPECT_EQ(entries({"练习", "数学：练习"}, {"", "数学"}), (Entries{"数学｜练习"}));
    EXPECT_EQ(Parser::defaultSubjects().size(), 17);
}

TEST(ParserParse, RemovesADateOnlyRightAfterTheSubject)
{
    EXPECT_EQ(entries({"英语 3.15 默写", "3.15 默写"}), (Entries{"英语｜默写", "英语｜15 默写"}));
    EXPECT_EQ(entries({"英语 1.2 练习"}), (Entries{"英语｜练习"}));
    EXPECT_EQ(entries({"语文：3月15日 背诵", "数学 ３．１５ 练习"}),
              (Entries{"语文｜背诵", "数学｜练习"}));
    EXPECT_EQ(entries({"英语 3.15", "默写"}), (Entries{"英语｜默写"}));
    // Nothing is trimmed after the date, so the comma stays with the task.
    EXPECT_EQ(entries({"英语 3.15日，默写"}), (Entries{"英语｜，默写"}));
}

TEST(ParserParse, DropsRepeatedTasksPerSubjectWithinOneCall)
{
    EXPECT_EQ(entries({"数学：练习；练习", "1. 练习", "语文：练习"}),
              (Entries{"数学｜练习", "语文｜练习"}));
    // A line whose tasks were all dropped still switches the subject.
    EXPECT_EQ(entries({"数学：练习", "语文：背诵", "数学：练习", "复习", "英语：；；", "听写"}),
              (Entries{"数学｜练习", "语文｜背诵", "数学｜复习", "英语｜听写"}));
    EXPECT_EQ(entries({"数学：练习"}), entries({"数学：练习"}));
}

TEST(ParserParse, FirstDatedLineWithHomeworkSetsTheTitle)
{
    EXPECT_EQ(title({"3月15日作业"}), "3.15作业");
    EXPECT_EQ(title({"作业 3/5"}), "3.5作业");
    EXPECT_EQ(title({"03-05作业"}), "03.05作业");
    EXPECT_EQ(title({"３月１５日 作业"}), "３.１５作业");
    EXPECT_EQ(title({"2024年3月15日作业"}), "3.15作业");
    EXPECT_EQ(title({"3月15日作业", "3月16日作业"}), "3.15作业");
    EXPECT_EQ(title({"今日作业", "3月16日作业"}), "3.16作业");
    EXPECT_FALSE(title({"今日作业"}));
    EXPECT_FALSE(title({"3月15日"}));

    const Parser::Result result = Parser::parse({"3月15日作业", "数学 3月15日作业：练习"});
    EXPECT_EQ(entries(result), (Entries{"数学｜作业：练习"}));
}

TEST(ParserParse, ALaterDatedHeadingIsNoTaskButDatedTasksStay)
{
    // Pages read as one list: the second page's heading neither becomes a task nor renames it.
    const Parser::Result pages = Parser::parse({"5月7日作业", "英语：背单词", "【5月8日作业】",
                                                "数学：练习册", "3.16 作业", "订正5月8日作业"});
    EXPECT_EQ(entries(pages), (Entries{"英语｜背单词", "数学｜练习册", "数学｜订正5月8日作业"}));
    EXPECT_EQ(pages.title, QStringLiteral("5.7作业"));
    // A dated line that is not about homework stays a task, date stripping as before.
    EXPECT_EQ(entries({"英语：", "3.15 默写"}), (Entries{"英语｜15 默写"}));
}

// Photos of one list: a later page's own heading, met before its first subject, is skipped as
// on a first page; the page's other lines carry on the last page's subject.
TEST(ParserParse, EachPageKeepsItsHeading)
{
    const QStringList first = {"3月15日作业", "数学：p12", "明天带美术工具"};
    const struct {
        const char *name;
        QStringList second;
        Entries expected;
    } rows[] = {
        {"class and date",
         {"初二（3）班 4月2日作业", "英语：背诵2a对话"},
         {"数学｜P12", "美术｜工具", "英语｜背诵2a对话"}},
        {"today's homework", {"今日作业", "1. 订正"}, {"数学｜P12", "美术｜工具", "美术｜订正"}},
        {"a list going on",
         {"带水彩笔", "英语：听写"},
         {"数学｜P12", "美术｜工具", "美术｜带水彩笔", "英语｜听写"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const Parser::Result result = Parser::parseTextPages({first, row.second});
        EXPECT_EQ(entries(result), row.expected);
        EXPECT_EQ(result.title, QStringLiteral("3.15作业"));
        // Joined into one page, the heading would be a task of the subject before it.
        if (row.second.first().contains(u"作业")) {
            EXPECT_GT(entries(first + row.second).size(), row.expected.size());
        }
    }
}

TEST(ParserParse, RunsOnSeveralThreadsAtOnce)
{
    const QStringList sheet{"3月15日作业",
                            "语文：",
                            "1. 背课文",
                            "2. 抄写生字; 完成练习册",
                            "数学：p12 第3题 && p13",
                            "英语 3.15 默写",
                            "政治 数学 复习"};
    const Parser::Result expected = Parser::parse(sheet);

    std::vector<std::thread> threads;
    std::vector<int> agreed(4, 0);
    for (size_t i = 0; i < agreed.size(); ++i) {
        threads.emplace_back([&, i] {
            bool same = true;
            for (int round = 0; round < 200; ++round) {
                const Parser::Result result = Parser::parse(sheet);
                same =
                    same && entries(result) == entries(expected) && result.title == expected.title;
            }
            agreed[i] = same;
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    EXPECT_EQ(agreed, std::vector<int>(4, 1));
    EXPECT_EQ(entries(expected).size(), 7u);
}
