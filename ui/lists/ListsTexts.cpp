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

QString clearCompletedButton()
{
    return QStringLiteral("清理已完成");
}

QString remindersMenuButton()
{
    return QStringLiteral("与提醒事项互通");
}

QString exportAction()
{
    return QStringLiteral("导出本清单到提醒事项");
}

QString importAction()
{
    return QStringLiteral("从提醒事项导入…");
}

QString moreMenuButton()
{
    return QStringLiteral("更多");
}

QString renameAction()
{
    return QStringLiteral("重命名清单…");
}

QString deleteAction()
{
    return QStringLiteral("删除清单");
}

QString addPlaceholder()
{
    return QStringLiteral("添加一条作业，回车确认");
}

QString dueCheck()
{
    return QStringLiteral("截止");
}

QString addButton()
{
    return QStringLiteral("添加");
}

QString searchPlaceholder()
{
    return QStringLiteral("搜索");
}

QString taskViewName()
{
    return QStringLiteral("条目");
}

QString noListsTitle()
{
    return QStringLiteral("还没有清单");
}

QString noListsHint()
{
    return QStringLiteral("去「导入作业」拖一张作业图，或点左上角 + 新建");
}

QString renameTitle()
{
    return QStringLiteral("重命名清单");
}

QString saveButton()
{
    return QStringLiteral("保存");
}

QString deleteButton()
{
    return QStringLiteral("删除");
}

QString cancelButton()
{
    return QStringLiteral("取消");
}

QString rowName(const TaskItem &task, const QDateTime &now)
{
    // An imported entry's title is "subject｜text"; read aloud, the bar would be noise.
    QString name = task.title;
    name.replace(QStringLiteral("｜"), QStringLiteral("："));
    if (task.done)
        name += QStringLiteral("，已完成");
    if (task.due)
        name += QStringLiteral("，截止 ") + dueText(*task.due, now);
    return name;
}

QString taskViewDescription()
{
    return QStringLiteral("上下键选择条目，空格键勾选完成，Delete 键删除");
}

QString filterName()
{
    return QStringLiteral("显示");
}

QString progressName()
{
    return QStringLiteral("完成进度");
}

QString listsName()
{
    return QStringLiteral("清单");
}

QString addFieldName()
{
    return QStringLiteral("新条目");
}

QString dueName()
{
    return QStringLiteral("截止时间");
}

QString filterText(VisibleTasks::Filter filter)
{
    switch (filter) {
    case VisibleTasks::Filter::Todo:
        return QStringLiteral("未完成");
    case VisibleTasks::Filter::Done:
        return QStringLiteral("已完成");
    case VisibleTasks::Filter::All:
        return QStringLiteral("全部");
    }
    return {};
}

QString emptyMessage(VisibleTasks::Filter filter)
{
    switch (filter) {
    case VisibleTasks::Filter::Todo:
        return QStringLiteral("没有未完成的条目，很轻松");
    case VisibleTasks::Filter::Done:
        return QStringLiteral("还没有完成的条目");
    case VisibleTasks::Filter::All:
        return QStringLiteral("这个清单是空的");
    }
    return {};
}

QString sheetDue(const QDateTime &due, bool dueIsDay)
{
    return QLocale(QLocale::Chinese, QLocale::China)
        .toString(due.toLocalTime(),
                  dueIsDay ? QStringLiteral("yyyy年M月d日") : QStringLiteral("yyyy年M月d日 HH:mm"));
}

QString selectAll()
{
    return QStringLiteral("全选");
}

QString importButton()
{
    return QStringLiteral("导入");
}

QString sheetTitle()
{
    return QStringLiteral("从系统提醒事项导入");
}

QString sheetSourceLabel()
{
    return QStringLiteral("来源清单");
}

QString sheetChoose()
{
    return QStringLiteral("请选择");
}

QString sheetTargetLabel()
{
    return QStringLiteral("导入到本 App 的清单：");
}

QString listNamePlaceholder()
{
    return QStringLiteral("清单名");
}

QString completed()
{
    return QStringLiteral("已完成");
}

QString listsTitle()
{
    return QStringLiteral("我的清单");
}

QString newList()
{
    return QStringLiteral("新建清单");
}

QString openFolder()
{
    return QStringLiteral("打开数据目录");
}

QString createButton()
{
    return QStringLiteral("创建");
}

} // namespace ListsTexts
