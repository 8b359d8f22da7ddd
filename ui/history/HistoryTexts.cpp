#include "ui/history/HistoryTexts.h"

#include <QLocale>

namespace HistoryTexts {

QString count(qsizetype records)
{
    return QStringLiteral("共 ") + QString::number(records) + QStringLiteral(" 次导入");
}

QString time(const QDateTime &date)
{
    return QLocale(QLocale::Chinese, QLocale::China)
        .toString(date.toLocalTime(), QStringLiteral("M月d日 HH:mm"));
}

QString preview(const QStringList &items)
{
    QString text = items.mid(0, 3).join(QStringLiteral(" · "));
    if (items.size() >= 4)
        text += QStringLiteral(" …等 ") + QString::number(items.size()) + QStringLiteral(" 条");
    return text;
}

QString writtenBadge(qint64 written)
{
    return QStringLiteral("写入 ") + QString::number(written);
}

QString skippedBadge(qint64 skipped)
{
    return QStringLiteral("跳过 ") + QString::number(skipped);
}

QString pictureMissing(const QString &path)
{
    return QStringLiteral("找不到图片：") + path;
}

QString rewritten(const QString &listName, int added)
{
    if (added == 0)
        return QStringLiteral("「") + listName + QStringLiteral("」里这些条目都已存在");
    return QStringLiteral("已重新存到 App 清单「") + listName + QStringLiteral("」") +
        QString::number(added) + QStringLiteral(" 条");
}

QString rewriteSource()
{
    return QStringLiteral("历史重写");
}

QString recordName(const QString &listName, const QDateTime &date, const QStringList &items)
{
    return listName + QStringLiteral("，") + time(date) + QStringLiteral("，") + preview(items);
}

QString pictureCount(qsizetype pictures)
{
    return QString::number(pictures) + QStringLiteral(" 张");
}

QString screenTitle()
{
    return QStringLiteral("历史记录");
}

QString openFolder()
{
    return QStringLiteral("打开数据目录");
}

QString clearHistory()
{
    return QStringLiteral("清空历史");
}

QString noRecords()
{
    return QStringLiteral("还没有导入记录");
}

QString noRecordsHint()
{
    return QStringLiteral("在「导入作业」页写入一次就会记录在这里");
}

QString clearQuestion()
{
    return QStringLiteral("清空全部历史记录？");
}

QString clearInformation()
{
    return QStringLiteral("只删除本机记录文件，不影响提醒事项里的内容。");
}

QString clearButton()
{
    return QStringLiteral("清空");
}

QString cancelButton()
{
    return QStringLiteral("取消");
}

QString recordsName()
{
    return QStringLiteral("导入记录");
}

QString rewriteButton()
{
    return QStringLiteral("再写入一次");
}

QString revealButton()
{
    return QStringLiteral("显示图片");
}

QString noPicture()
{
    return QStringLiteral("这次导入来自文字，没有图片");
}

QString deleteRecord()
{
    return QStringLiteral("删除这条记录");
}

} // namespace HistoryTexts
