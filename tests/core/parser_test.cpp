#include "core/Parser.h"

#include <gtest/gtest.h>

#include <QLoggingCategory>

#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

// Texts are compared as UTF-8 std::strings so that failures print readable Chinese.
using Texts = std::vector<std::string>;

Texts utf8(const QStringList &texts)
{
    Texts result;
    for (const QString &text : texts)
        result.push_back(text.toStdString());
    return result;
}

// Each entry as its title, 科目｜任务, which shows subject and text in one string.
Texts entries(const Parser::Result &result)
{
    Texts titles;
    for (const SlateItem &item : result.items)
        titles.push_back(item.title().toStdString());
    return titles;
}

struct TextRow {
    const char *name;
    const char *text;
    const char *expected;
};

} // namespace

TEST(ParserText, CleanTrimsBulletsAndStripLeadingNumberRemovesOneListNumber)
{
    const TextRow cleaned[] = {
        {"brackets at the ends", "【作业】", "作业"},
        {"bullets at the ends, blanks around", "  • 背课文 •  ", "背课文"},
        {"bullets and blanks at the ends", "\n\t●■ 做《练习》 ◆", "做《练习》"},
        {"bullets inside stay", "做 • 题 【一】 - 二", "做 • 题 【一】 - 二"},
        {"white space collapses", "读\t\t课文\r\n两遍\u3000\u2028三遍", "读 课文 两遍 三遍"},
        {"wide and no-break spaces", "\u3000练习\u00A0", "练习"},
        {"only bullets", "•••", ""},
        {"white space stops the bullet trim", "• 【作业】 •", "【作业】"},
        {"U+180E is no white space, U+0085 is", "a\u180Eb\u0085c", "a\u180Eb c"},
    };
    for (const TextRow &row : cleaned)
        EXPECT_EQ(Parser::clean(QString::fromUtf8(row.text)).toStdString(), row.expected)
            << row.name;

    const TextRow stripped[] = {
        {"dot", "1. 背课文", "背课文"},
        {"two digits, enumeration comma", "\t12、 练习\u3000", "练习"},
        {"full-width bracket", "3）默写", "默写"},
        {"full-width colon", "4：听写", "听写"},
        {"space", "5 预习", "预习"},
        {"full-width digits and dot", "１２．练习", "练习"},
        {"three digits are no list number", "123页", "3页"},
        {"only the first number", "1.2.3", "2.3"},
        {"a bracketed number stays", "(1)练习", "(1)练习"},
        {"a number inside stays", "第1题", "第1题"},
        {"a bare number stays", "12", "12"},
        {"a bare number with its dot stays", "3.", "3."},
        {"a bare number is trimmed", " 7、 ", "7、"},
        {"a leading line break stops it", "\n1. 练习", "\n1. 练习"},
        {"a trailing line break stays", "练习\r", "练习\r"},
        {"page reference", "p12 第3题", "P12 第3题"},
        {"page reference inside", "第p3", "第P3"},
        {"page range after a number", "2. p5-p7", "P5-P7"},
        {"page reference, full-width digit", "p３", "P３"},
        {"p inside a word stays", "up1", "up1"},
        {"double p stays", "pp3", "pp3"},
        {"the word page stays", "page 3", "page 3"},
    };
    for (const TextRow &row : stripped)
        EXPECT_EQ(Parser::stripLeadingNumber(QString::fromUtf8(row.text)).toStdString(),
                  row.expected)
            << row.name;
}

TEST(ParserText, SplitInlineSplitsOnlyAtSemicolonsAndDoubleAmpersandsAndDropsEmptyPieces)
{
    const struct {
        const char *name;
        const char *text;
        Texts pieces;
    } rows[] = {
        {"both semicolons and &&", "背课文；抄写;练习&&预习", {"背课文", "抄写", "练习", "预习"}},
        {"a third ampersand stays", "a&&&b", {"a", "&b"}},
        {"commas, numbers and one & do not split",
         "1. 读，2. 写、3 背 & 练",
         {"1. 读，2. 写、3 背 & 练"}},
        {"pieces are cleaned", "• 读 ; 【写】", {"读", "写"}},
        {"empty pieces go", "读；；写;", {"读", "写"}},
        {"only separators and bullets", " ; •；&& ", {}},
        {"nothing", "", {}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(utf8(Parser::splitInline(QString::fromUtf8(row.text))), row.pieces) << row.name;
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

TEST(ParserParse, EntriesAreFiledUnderTheSubjectThatOpensTheirLineOrAnEarlierOne)
{
    // Lines, entries and subjects (comma-separated; none: the built-in ones) as one text each.
    const struct {
        const char *name;
        const char *lines;
        const char *entries;
        const char *subjects = "";
    } rows[] = {
        {"a subject line opens the following lines", "语文：\n1. 背课文\n2. 抄写生字; 完成练习册",
         "语文｜背课文\n语文｜抄写生字\n语文｜完成练习册"},
        {"page references", "数学：p12 第3题", "数学｜P12 第3题"},
        {"one list number goes", "语文：1. 背诵 2. 默写\n数学：12", "语文｜背诵 2. 默写\n数学｜12"},
        {"separators trimmed after the name", "数学 —— 练习。\n语文、数学：背诵",
         "数学｜练习\n语文｜数学：背诵"},
        {"nothing before the first subject", "今天的作业\n带齐课本\n英语：背单词", "英语｜背单词"},
        {"empty lines yield nothing", "数学：\n\n  \t\n•\n练习", "数学｜练习"},
        {"a subject within three characters of the start",
         "1.数学 练习\n【语文】背诵\n(1)英语：听写", "数学｜练习\n语文｜背诵\n英语｜听写"},
        {"a subject later in the line opens nothing", "语文：背诵\n今天没有数学作业",
         "语文｜背诵\n语文｜今天没有数学作业"},
        {"nor before any subject", "今天没有数学作业", ""},
        {"a combining accent is one character", "ab\u0301c数学：练习", "数学｜练习"},
        {"a flag and a skin tone are one character each", "a🇨🇳👍🏽数学：练习",
         "数学｜练习"},
        {"four flags are four characters", "语文：背诵\n🇨🇳🇨🇳🇨🇳🇨🇳数学",
         "语文｜背诵\n语文｜🇨🇳🇨🇳🇨🇳🇨🇳数学"},
        {"the earliest subject wins", "政治 数学 复习", "政治｜数学 复习"},
        {"list order breaks ties", "数学拓展：练习", "数学｜拓展：练习", "数学,数学拓展"},
        {"list order breaks ties, reversed", "数学拓展：练习", "数学拓展｜练习", "数学拓展,数学"},
        {"built-in subjects", "道德与法治：背诵\n音乐：唱歌\n道法：复习",
         "道德与法治｜背诵\n音乐｜唱歌\n道法｜复习"},
        {"given subjects replace them", "语文：背诵\n数学：练习", "数学｜练习", "数学"},
        {"an empty subject opens nothing", "练习\n数学：练习", "数学｜练习", ",数学"},
        {"a date right after the subject goes", "英语 3.15 默写\n3.15 默写",
         "英语｜默写\n英语｜15 默写"},
        {"a short date", "英语 1.2 练习", "英语｜练习"},
        {"dates in words and full width", "语文：3月15日 背诵\n数学 ３．１５ 练习",
         "语文｜背诵\n数学｜练习"},
        {"a subject and a date alone", "英语 3.15\n默写", "英语｜默写"},
        {"nothing is trimmed after the date", "英语 3.15日，默写", "英语｜，默写"},
        {"repeated tasks of a subject go", "数学：练习；练习\n1. 练习\n语文：练习",
         "数学｜练习\n语文｜练习"},
        {"a line whose tasks all went still switches the subject",
         "数学：练习\n语文：背诵\n数学：练习\n复习\n英语：；；\n听写",
         "数学｜练习\n语文｜背诵\n数学｜复习\n英语｜听写"},
        {"dated headings are no tasks",
         "5月7日作业\n英语：背单词\n【5月8日作业】\n数学：练习册\n3.16 作业",
         "英语｜背单词\n数学｜练习册"},
        {"a dated line not about homework is a task", "英语：\n3.15 默写\n订正5月8日作业",
         "英语｜15 默写\n英语｜订正5月8日作业"},
        {"a heading under a subject", "3月15日作业\n数学 3月15日作业：练习", "数学｜作业：练习"},
    };
    const auto lines = [](const char *text) {
        return text[0] ? QString::fromUtf8(text).split(u'\n') : QStringList();
    };
    for (const auto &row : rows) {
        const QStringList subjects =
            row.subjects[0] ? QString(row.subjects).split(u',') : QStringList();
        // Twice: nothing is kept from one call to the next.
        for (int call = 0; call < 2; ++call)
            EXPECT_EQ(entries(Parser::parse(lines(row.lines), subjects)), utf8(lines(row.entries)))
                << row.name;
    }
}

TEST(ParserParse, TheFirstDatedLineAboutHomeworkTitlesTheList)
{
    const struct {
        const char *name;
        QStringList lines;
        std::optional<QString> title;
    } rows[] = {
        {"month and day", {"3月15日作业"}, "3.15作业"},
        {"slash", {"作业 3/5"}, "3.5作业"},
        {"dash keeps the zeros", {"03-05作业"}, "03.05作业"},
        {"full-width digits", {"３月１５日 作业"}, "３.１５作业"},
        {"the year goes", {"2024年3月15日作业"}, "3.15作业"},
        {"the first heading wins", {"3月15日作业", "3月16日作业"}, "3.15作业"},
        {"undated headings are passed over", {"今日作业", "3月16日作业"}, "3.16作业"},
        {"no date", {"今日作业"}, std::nullopt},
        {"no homework", {"3月15日"}, std::nullopt},
        {"a later page's heading does not rename",
         {"5月7日作业", "英语：背单词", "【5月8日作业】"},
         "5.7作业"},
        {"no lines", {}, std::nullopt},
    };
    for (const auto &row : rows)
        EXPECT_EQ(Parser::parse(row.lines).title, row.title) << row.name;
}

// Photos of one list: a later page's own heading, met before its first subject, is skipped as
// on a first page; the page's other lines carry on the last page's subject.
TEST(ParserParse, EachPageKeepsItsHeading)
{
    const QStringList first = {"3月15日作业", "数学：p12", "明天带美术工具"};
    const struct {
        const char *name;
        QStringList second;
        Texts expected;
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
            EXPECT_GT(entries(Parser::parse(first + row.second)).size(), row.expected.size());
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
