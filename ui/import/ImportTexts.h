#pragma once

#include <QString>
#include <QStringList>

// Every text the import screen shows: the one-line status, the count of entries to write, the
// title of the recognised-text section, and the controls' labels, accessible names and
// descriptions. Numbers are plain decimal.
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

// The header.
QString screenTitle();
QString saveToAppTarget();
QString remindersTarget();
QString targetName();
QString targetDescription();
QString listLabel();
QString listNamePlaceholder();
QString dueCheck();
QString dueName();

// The picture and the ways to bring one in.
QString pictureName();
QString pictureDescription();
QString previousPicture();
QString nextPicture();
QString dropPrompt();
QString dropHint();
QString chooseButton();
QString chooseDescription();
QString pasteButton();
QString pasteDescription();
QString captureButton();
QString captureDescription();
QString clearButton();
QString rawTextName();

// The result and its rows.
QString resultTitle();
QString rowsName();
QString addEntry();
QString reparse();
QString noEntries();
QString noEntriesHint();
// A row as a screen reader reads it: "语文：背诵第3课"; an empty part is left out.
QString rowName(const QString &subject, const QString &text);
QString tickName();
QString subjectPlaceholder();
QString textPlaceholder();
QString removeEntry();
QString doubtfulHint();

// The footer.
QString selectAll();
QString selectNone();
// The main button: "存到本 App", or "写入提醒事项" while the switch says "写到提醒事项".
QString writeButton(bool saveToApp);

// The file dialog.
QString imageFilter(const QStringList &patterns);
QString folderType();

} // namespace ImportTexts
