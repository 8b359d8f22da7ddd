#pragma once

#include <QString>

// Every text the import screen shows that depends on its state: the one-line status, the
// count of entries to write and the title of the recognised-text section. Numbers are plain
// decimal.
namespace ImportTexts {

QString initialStatus();
QString recognising(const QString &sourceName);
// Stands for the file name while an image from the clipboard is recognised.
QString clipboardSourceName();
// "正在识别 2/3…": the k-th of several pictures.
QString recognisingPicture(qsizetype k, qsizetype count);
QString recognised(qsizetype lines, qsizetype items);
QString noText();
QString pasted(qsizetype items);
QString clipboardEmpty();
QString textDropped(qsizetype items);
// While the desktop's screenshot tool is open.
QString capturing();
// Stands for the file name while a screenshot is recognised.
QString screenshotSourceName();
QString captured(qsizetype items);
QString captureCancelled();
QString captureFailed();
// Also the capture button's tooltip once no screenshot service has answered.
QString captureUnavailable();
QString reparsed(qsizetype items);
QString writingReminders();
QString remindersWritten(qsizetype written, qsizetype skipped, const QString &listName);
QString appSaved(qsizetype added, qsizetype skipped, const QString &listName);
QString writeFailed(const QString &description);
// A result status followed by "，3 处需核对" when recognition left places to check.
QString withPlacesToCheck(const QString &status, qsizetype places);

// "3/5 条待写入"
QString pendingCount(qsizetype ticked, qsizetype total);
// "2 / 3": the picture shown of several.
QString imagePage(qsizetype k, qsizetype count);
// "识别原文（12 行）"
QString rawTextTitle(qsizetype lines);

} // namespace ImportTexts
