#include "ui/about/AboutTexts.h"

#include <QDir>

namespace AboutTexts {

QList<Feature> features()
{
    return {
        {QStringLiteral("camera-photo-symbolic"), QStringLiteral("识别"),
         QStringLiteral("使用本机离线文字识别（PP-OCR），识别印刷体、毛笔字与手写")},
        {QStringLiteral("checklist-symbolic"), QStringLiteral("整理"),
         QStringLiteral("按科目自动拆分条目，去掉序号、统一页码大小写")},
        {QStringLiteral("preferences-system-notifications-symbolic"), QStringLiteral("清单与提醒"),
         QStringLiteral("条目存在 App 自己的清单里，到期用系统通知提醒你")},
        {QStringLiteral("emblem-synchronizing-symbolic"), QStringLiteral("互通"),
         QStringLiteral("可一键导出到系统提醒事项，也能从提醒事项导入")},
        {QStringLiteral("document-open-recent-symbolic"), QStringLiteral("记录"),
         QStringLiteral("每次导入留档，可一键重新写入（自动跳过已有）")},
        {QStringLiteral("security-high-symbolic"), QStringLiteral("隐私"),
         QStringLiteral("完全离线运行，不联网、不需要账号，数据只在本机")},
    };
}

QString versionLine(const QString &version)
{
    return QStringLiteral("版本 ") + (version.isEmpty() ? QStringLiteral("—") : version);
}

QString remindersHint(const std::optional<QString> &folder)
{
    if (folder) {
        // The home folder as "~", so the line stays short.
        QString shown = *folder;
        if (shown.startsWith(QDir::homePath() + QLatin1Char('/')))
            shown.replace(0, QDir::homePath().size(), QStringLiteral("~"));
        return QStringLiteral("如果写入提醒事项失败：请确认提醒事项目录\n") + shown +
            QStringLiteral("\n存在、当前用户可以写入，并且磁盘没有写满。");
    }
    return QStringLiteral(
        "如果写入提醒事项失败：请确认 Evolution 数据服务（evolution-data-server）\n"
        "已安装并在运行，日历或任务应用能打开任务列表。");
}

QString tagline()
{
    return QStringLiteral("把作业照片变成提醒事项清单");
}

QString reminderStore(const QString &storeTitle)
{
    return QStringLiteral("提醒事项存储：") + storeTitle;
}

QString openDataFolder()
{
    return QStringLiteral("打开数据目录");
}

QString openRemindersFolder()
{
    return QStringLiteral("打开提醒事项目录");
}

} // namespace AboutTexts
