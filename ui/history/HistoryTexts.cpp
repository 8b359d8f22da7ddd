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

} // namespace HistoryTexts
