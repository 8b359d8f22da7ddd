#include "ui/settings/SettingsTexts.h"

namespace SettingsTexts {

QString screenTitle()
{
    return QStringLiteral("设置");
}

QString restoreDefaults()
{
    return QStringLiteral("恢复默认设置");
}

QString notifyTitle()
{
    return QStringLiteral("到期提醒");
}

QString notifyOn()
{
    return QStringLiteral("开启到期通知");
}

QString leadLabel()
{
    return QStringLiteral("提醒时机");
}

QString requestPermission()
{
    return QStringLiteral("申请权限");
}

QString sendTest()
{
    return QStringLiteral("发一条测试通知");
}

QString leadHint()
{
    return QStringLiteral("修改提醒时机后会自动重新安排所有未完成条目。");
}

QString writeTitle()
{
    return QStringLiteral("写入");
}

QString templateLabel()
{
    return QStringLiteral("默认清单名模板");
}

QString templateHint()
{
    return QStringLiteral("可用占位符：{M} 月、{D} 日、{YYYY} 年 · 例：{M}.{D}作业 → 9.21作业");
}

QString dueOn()
{
    return QStringLiteral("默认设置截止时间");
}

QString hourLabel()
{
    return QStringLiteral("时");
}

QString minuteLabel()
{
    return QStringLiteral("分");
}

QString dedupe()
{
    return QStringLiteral("写入前自动跳过已存在的同一条目");
}

QString openAfter()
{
    return QStringLiteral("写到提醒事项后自动打开「提醒事项」");
}

QString reminderStoreLabel()
{
    return QStringLiteral("提醒事项存储");
}

QString reminderStoreHint()
{
    return QStringLiteral("本机文件夹：iCalendar 文件，可用 todoman 查看、vdirsyncer "
                          "同步到手机。桌面任务：与 Evolution、GNOME 待办共用，经“在线帐户”同步。");
}

QString recognitionTitle()
{
    return QStringLiteral("识别");
}

QString languagesLabel()
{
    return QStringLiteral("识别语言（逗号分隔）");
}

QString languagesHint()
{
    return QStringLiteral("zh-Hans = 简体中文，en-US = 英文。手写体建议保留 zh-Hans 在前。");
}

QString subjectsLabel()
{
    return QStringLiteral("科目词表（逗号分隔）");
}

QString subjectsHint()
{
    return QStringLiteral("识别时按这些词把文字归到对应科目下，可按自己学校的科目改。");
}

QString dataTitle()
{
    return QStringLiteral("记录与数据");
}

QString saveHistory()
{
    return QStringLiteral("保存导入历史（含图片路径、条目清单）");
}

QString dataHint()
{
    return QStringLiteral("数据保存在本机，不上传任何服务器。");
}

QString permission(const QString &status)
{
    return QStringLiteral("通知权限：") + status;
}

QString pendingCount(int count)
{
    return QStringLiteral("已安排 ") + QString::number(count) +
        QStringLiteral(" 条到期提醒（统计的是本 App 排在系统通知里的条数）");
}

} // namespace SettingsTexts
