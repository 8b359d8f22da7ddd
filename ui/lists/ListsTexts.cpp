#include "ui/lists/ListsTexts.h"

#include <QDir>
#include <QLocale>
#include <cmath>

namespace ListsTexts {

QString dueText(const QDateTime &due, const QDateTime &now)
{
    const QDateTime local = due.toLocalTime();
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    if (local.date() == now.toLocalTime().date())
        return QStringLiteral("今天 ") + chinese.toString(local.time(), QStringLiteral("HH:mm"));
    return chinese.toString(local, QStringLiteral("M月d日 HH:mm"));
}

DueTone dueTone(const QDateTime &due, const QDateTime &now)
{
    if (due < now)
        return DueTone::Overdue;
    if (due.toLocalTime().date() == now.toLocalTime().date())
        return DueTone::Today;
    return DueTone::Later;
}

QString counts(int remaining, qsizetype total)
{
    return QString::number(remaining) + QStringLiteral(" 待办 / ") + QString::number(total) +
        QStringLiteral(" 总计");
}

QString progressLabel(double progress)
{
    return QStringLiteral("完成 ") + QString::number(int(std::floor(progress * 100))) +
        QStringLiteral("%");
}

QString scheduled(int pending)
{
    return QStringLiteral("已安排 ") + QString::number(pending) + QStringLiteral(" 条到期提醒");
}

QString cleared(int count)
{
    return QStringLiteral("已清理 ") + QString::number(count) + QStringLiteral(" 条");
}

QString exported(int written, int skipped)
{
    QString text =
        QStringLiteral("已导出 ") + QString::number(written) + QStringLiteral(" 条到提醒事项");
    if (skipped >= 1)
        text += QStringLiteral("（跳过 ") + QString::number(skipped) + QStringLiteral(" 条已有）");
    return text;
}

QString exportFailed(const QString &description)
{
    return QStringLiteral("导出失败：") + description;
}

QString deleteListMessage(const QString &name)
{
    return QStringLiteral("删除清单「") + name + QStringLiteral("」？");
}

QString deleteListInformation(qsizetype entries)
{
    return QStringLiteral("清单里的 ") + QString::number(entries) +
        QStringLiteral(" 条作业会一起删除，不可撤销。");
}

QString sheetInitialInfo()
{
    return QStringLiteral("选择要导入的提醒事项清单");
}

QString sheetNoAccess(const std::optional<QString> &folder)
{
    if (!folder) {
        return QStringLiteral("未获得提醒事项访问权限：请确认 Evolution 数据服务"
                              "（evolution-data-server）已安装并在运行。");
    }
    // The home folder as "~", so the line stays short.
    QString shown = *folder;
    if (shown.startsWith(QDir::homePath() + QLatin1Char('/')))
        shown.replace(0, QDir::homePath().size(), QStringLiteral("~"));
    return QStringLiteral("未获得提醒事项访问权限：请确认提醒事项目录 ") + shown +
        QStringLiteral(" 存在，并且当前用户可以读写。");
}

QString sheetLoaded(qsizetype rows)
{
    if (rows == 0)
        return QStringLiteral("这个清单是空的");
    return QStringLiteral("共 ") + QString::number(rows) + QStringLiteral(" 条");
}

QString sheetSelected(qsizetype ticked)
{
    return QStringLiteral("已选 ") + QString::number(ticked) + QStringLiteral(" 条");
}

QString sheetDefaultTarget()
{
    return QStringLiteral("提醒事项导入");
}

QString remindersSource()
{
    return QStringLiteral("提醒事项");
}

} // namespace ListsTexts
