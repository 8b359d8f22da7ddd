#include "ui/import/ImportTexts.h"

namespace ImportTexts {

namespace {

QString n(qsizetype value)
{
    return QString::number(value);
}

} // namespace

QString initialStatus()
{
    return QStringLiteral("拖入或选择一张作业图片（JPG / PNG / HEIC）");
}

QString recognising(const QString &sourceName)
{
    return QStringLiteral("正在识别 ") + sourceName + QStringLiteral(" …");
}

QString clipboardSourceName()
{
    return QStringLiteral("剪贴板图片");
}

QString recognisingPicture(qsizetype k, qsizetype count)
{
    return QStringLiteral("正在识别 ") + n(k) + QStringLiteral("/") + n(count) +
        QStringLiteral("…");
}

QString recognised(qsizetype lines, qsizetype items)
{
    return QStringLiteral("识别到 ") + n(lines) + QStringLiteral(" 行文字，解析出 ") + n(items) +
        QStringLiteral(" 条作业");
}

QString noText()
{
    return QStringLiteral("没识别到文字，换张更清晰/更正的图片试试");
}

QString pasted(qsizetype items)
{
    return QStringLiteral("来自剪贴板：解析出 ") + n(items) + QStringLiteral(" 条");
}

QString clipboardEmpty()
{
    return QStringLiteral("剪贴板里没有图片或文字");
}

QString textDropped(qsizetype items)
{
    return QStringLiteral("来自拖入的文字：解析出 ") + n(items) + QStringLiteral(" 条");
}

QString capturing()
{
    return QStringLiteral("请在桌面的截屏工具里选择要识别的区域…");
}

QString screenshotSourceName()
{
    return QStringLiteral("截屏");
}

QString captured(qsizetype items)
{
    return QStringLiteral("来自截屏：解析出 ") + n(items) + QStringLiteral(" 条");
}

QString captureCancelled()
{
    return QStringLiteral("已取消截屏");
}

QString captureFailed()
{
    return QStringLiteral("截屏没有成功：可以用截图工具截图后按 Ctrl+V 粘贴");
}

QString captureUnavailable()
{
    return QStringLiteral("这个桌面没有提供截屏服务：请用截图工具截图并复制，再按 Ctrl+V 粘贴");
}

QString reparsed(qsizetype items)
{
    return QStringLiteral("已重新解析：") + n(items) + QStringLiteral(" 条");
}

QString writingReminders()
{
    return QStringLiteral("正在写入提醒事项…");
}

QString remindersWritten(qsizetype written, qsizetype skipped, const QString &listName)
{
    if (skipped < 1)
        return QStringLiteral("✅ 已写入 ") + n(written) + QStringLiteral(" 条到清单「") + listName +
            QStringLiteral("」");
    return QStringLiteral("✅ 已写入 ") + n(written) + QStringLiteral(" 条到「") + listName +
        QStringLiteral("」（跳过 ") + n(skipped) + QStringLiteral(" 条已存在）");
}

QString appSaved(qsizetype added, qsizetype skipped, const QString &listName)
{
    if (skipped < 1)
        return QStringLiteral("✅ 已存到 App 清单「") + listName + QStringLiteral("」共 ") +
            n(added) + QStringLiteral(" 条，到期会通知你");
    return QStringLiteral("✅ 已存到 App 清单「") + listName + QStringLiteral("」") + n(added) +
        QStringLiteral(" 条（跳过 ") + n(skipped) + QStringLiteral(" 条重复）");
}

QString writeFailed(const QString &description)
{
    return QStringLiteral("❌ ") + description;
}

QString withPlacesToCheck(const QString &status, qsizetype places)
{
    if (places < 1)
        return status;
    return status + QStringLiteral("，") + n(places) + QStringLiteral(" 处需核对");
}

QString pendingCount(qsizetype ticked, qsizetype total)
{
    return n(ticked) + QStringLiteral("/") + n(total) + QStringLiteral(" 条待写入");
}

QString imagePage(qsizetype k, qsizetype count)
{
    return n(k) + QStringLiteral(" / ") + n(count);
}

QString rawTextTitle(qsizetype lines)
{
    return QStringLiteral("识别原文（") + n(lines) + QStringLiteral(" 行）");
}

} // namespace ImportTexts
