#pragma once

#include "data/TaskItem.h"
#include "ui/lists/VisibleTasks.h"

#include <QDateTime>
#include <QString>
#include <optional>

// Every text the lists screen and its dialogs show. Numbers are plain decimal digits.
namespace ListsTexts {

// `dueText`: "今天 HH:mm" on today's local date, otherwise "M月d日 HH:mm".
QString dueText(const QDateTime &due, const QDateTime &now = QDateTime::currentDateTime());

// How a due label is coloured: passed, later today, or another day.
enum class DueTone { Overdue, Today, Later };
DueTone dueTone(const QDateTime &due, const QDateTime &now = QDateTime::currentDateTime());

// "3 待办 / 5 总计"
QString counts(int remaining, qsizetype total);
// "完成 60%": the whole part of the percentage.
QString progressLabel(double progress);

QString scheduled(int pending);
QString cleared(int count);
QString exported(int written, int skipped);
QString exportFailed(const QString &description);
QString deleteListMessage(const QString &name);
QString deleteListInformation(qsizetype entries);

// A filter's label, which is also its identity on the switch.
QString filterText(VisibleTasks::Filter filter);
// The message of an empty task list; it depends only on the filter, search or not.
QString emptyMessage(VisibleTasks::Filter filter);
// A reminder's due date on the import sheet: "2026年3月5日" or "2026年3月5日 18:00".
QString sheetDue(const QDateTime &due, bool dueIsDay);

QString selectAll();
QString importButton();
QString sheetTitle();
QString sheetSourceLabel();
QString sheetChoose();
QString sheetTargetLabel();
QString listNamePlaceholder();
QString completed();
QString listsTitle();
QString newList();
QString openFolder();
QString createButton();
QString searchPlaceholder();
QString taskViewName();
// What the keys do on the entries.
QString taskViewDescription();
// An entry as a screen reader reads it: "语文：背诵第3课，已完成，截止 今天 18:00".
QString rowName(const TaskItem &task, const QDateTime &now = QDateTime::currentDateTime());
QString filterName();
QString progressName();
QString listsName();
// With no list at all.
QString noListsTitle();
QString noListsHint();
// The rename and delete alerts.
QString renameTitle();
QString saveButton();
QString deleteButton();
QString cancelButton();

// The new entry's bar.
QString addPlaceholder();
QString addFieldName();
QString dueCheck();
QString dueName();
QString addButton();

// The bottom bar's buttons and menus.
QString clearCompletedButton();
QString remindersMenuButton();
QString exportAction();
QString importAction();
QString moreMenuButton();
QString renameAction();
QString deleteAction();

// The import sheet.
QString sheetInitialInfo();
// No access to the store, naming what to check: its folder, or the desktop's data service when the
// store has no folder.
QString sheetNoAccess(const std::optional<QString> &folder);
QString sheetLoaded(qsizetype rows);
QString sheetSelected(qsizetype ticked);
// The list that the sheet imports into unless the user names another.
QString sheetDefaultTarget();
// The source recorded on entries taken over from Reminders.
QString remindersSource();

} // namespace ListsTexts
