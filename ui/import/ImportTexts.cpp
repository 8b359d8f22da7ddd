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

QString screenTitle()
{
    return QStringLiteral("导入作业");
}

QString saveToAppTarget()
{
    return QStringLiteral("存到本 App");
}

QString remindersTarget()
{
    return QStringLiteral("写到提醒事项");
}

QString targetName()
{
    return QStringLiteral("保存到");
}

QString targetDescription()
{
    return QStringLiteral(
        "存到本 App：由 App 自己管理并在到期时通知；写到提醒事项：同步到系统「提醒事项」App");
}

QString listLabel()
{
    return QStringLiteral("清单");
}

QString listNamePlaceholder()
{
    return QStringLiteral("清单名");
}

QString dueCheck()
{
    return QStringLiteral("截止");
}

QString dueName()
{
    return QStringLiteral("截止时间");
}

QString pictureName()
{
    return QStringLiteral("图片");
}

QString pictureDescription()
{
    return QStringLiteral("拖入作业图片；有几张图片时按左右键翻页");
}

QString previousPicture()
{
    return QStringLiteral("上一张");
}

QString nextPicture()
{
    return QStringLiteral("下一张");
}

QString dropPrompt()
{
    return QStringLiteral("把作业照片拖到这里");
}

QString dropHint()
{
    return QStringLiteral("也可以直接粘贴截图或文字（Ctrl+V）");
}

QString chooseButton()
{
    return QStringLiteral("选择图片…");
}

QString chooseDescription()
{
    return QStringLiteral("选择要识别的图片（Ctrl+O）");
}

QString pasteButton()
{
    return QStringLiteral("从剪贴板");
}

QString pasteDescription()
{
    return QStringLiteral("识别剪贴板里的图片，或解析其中的文字（Ctrl+V）");
}

QString captureButton()
{
    return QStringLiteral("截取屏幕…");
}

QString captureDescription()
{
    return QStringLiteral("截取屏幕的一部分并识别（Ctrl+Shift+S）");
}

QString clearButton()
{
    return QStringLiteral("清空");
}

QString rawTextName()
{
    return QStringLiteral("识别原文");
}

QString resultTitle()
{
    return QStringLiteral("解析结果（可编辑）");
}

QString rowsName()
{
    return QStringLiteral("解析结果");
}

QString addEntry()
{
    return QStringLiteral("手动加一条");
}

QString reparse()
{
    return QStringLiteral("按识别原文重新解析");
}

QString noEntries()
{
    return QStringLiteral("还没有条目");
}

QString noEntriesHint()
{
    return QStringLiteral("导入一张作业图片试试");
}

QString tickName()
{
    return QStringLiteral("写入这一条");
}

QString subjectPlaceholder()
{
    return QStringLiteral("科目");
}

QString textPlaceholder()
{
    return QStringLiteral("内容");
}

QString removeEntry()
{
    return QStringLiteral("删除这一条");
}

QString doubtfulHint()
{
    return QStringLiteral("识别把握不大，请核对");
}

QString selectAll()
{
    return QStringLiteral("全选");
}

QString selectNone()
{
    return QStringLiteral("全不选");
}

QString folderType()
{
    return QStringLiteral("文件夹");
}

QString rowName(const QString &subject, const QString &text)
{
    const QString s = subject.trimmed();
    const QString t = text.trimmed();
    if (s.isEmpty() || t.isEmpty())
        return s + t;
    return s + QStringLiteral("：") + t;
}

QString writeButton(bool saveToApp)
{
    return saveToApp ? QStringLiteral("存到本 App") : QStringLiteral("写入提醒事项");
}

QString imageFilter(const QStringList &patterns)
{
    return QStringLiteral("图片 (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

} // namespace ImportTexts
