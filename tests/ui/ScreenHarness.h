#pragma once

#include "bridges/notifications/DesktopNotificationCenter.h"
#include "bridges/notifications/NotificationService.h"
#include "bridges/reminders/RemindersService.h"
#include "data/AppSettings.h"
#include "data/HistoryStore.h"
#include "data/TaskStore.h"
#include "support/TempHome.h"
#include "ui/SharedObjects.h"

#include <QList>
#include <QString>
#include <functional>

// The window's five shared objects, real ones, over a fresh temporary HOME: settings in its
// config folder, lists and history in its data folder, Reminders as an iCalendar folder there,
// and pending notifications in its state folder.
class ScreenHarness {
public:
    ScreenHarness();

    SharedObjects shared();

    // The center's pending requests, as it answers on its own thread.
    QList<NotificationRequest> pendingNotifications();
    // The titles of the entries stored in that list, in stored order; none if there is no list.
    QStringList titlesIn(const QString &listName) const;
    // The Reminders iCalendar files of one list folder, found by its display name.
    QStringList reminderFiles(const QString &listName) const;

    TempHome home;
    AppSettings settings;
    HistoryStore history; // creates the data folder that the task store needs
    RemindersService service;
    TaskStore store;
    DesktopNotificationCenter center;
    NotificationService notify;
};

// Runs the event loop until `condition` holds or `timeoutMs` passes; whether it held.
bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 180000);

// An image of the homework corpus copied into the tests.
QString corpusImage(const QString &name);
