#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Every text the history screen shows. Numbers are plain decimal digits.
namespace HistoryTexts {

// "共 12 次导入"
QString count(qsizetype records);
// The record's time in the local zone: "3月5日 07:05".
QString time(const QDateTime &date);
// The first three items joined by " · ", with " …等 N 条" when there are four or more.
QString preview(const QStringList &items);
QString writtenBadge(qint64 written);
QString skippedBadge(qint64 skipped);
// The tooltip of a record's picture that is gone or cannot be read as a picture.
QString pictureMissing(const QString &path);
// The status after writing a record again into the app list of its name.
QString rewritten(const QString &listName, int added);
// The source recorded on entries written again from the history.
QString rewriteSource();
// A record as a screen reader reads it: "3.15作业，3月5日 07:05，背诵古诗 · 练习册P18".
QString recordName(const QString &listName, const QDateTime &date, const QStringList &items);
// "3 张": the pictures of one import.
QString pictureCount(qsizetype pictures);

QString screenTitle();
QString openFolder();
QString clearHistory();
QString noRecords();
QString noRecordsHint();
QString clearQuestion();
QString clearInformation();
QString clearButton();
QString cancelButton();
QString recordsName();
QString rewriteButton();
QString revealButton();
QString noPicture();
QString deleteRecord();

} // namespace HistoryTexts
