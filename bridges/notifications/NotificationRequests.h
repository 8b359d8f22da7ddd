#pragma once

#include "bridges/notifications/NotificationRequest.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

// The two kinds of request `NotificationService` makes.
namespace NotificationRequests {

// "slate-task-" followed by the entry's id in upper case, 8-4-4-4-12: one request per entry, so
// scheduling an entry again replaces its request.
QString dueIdentifier(const QUuid &taskId);
bool isDue(const QString &identifier);

// Title "作业快到期了" with a lead, "作业到期提醒" without; body "<list>：<entry title>"; the
// default sound; user data "taskID" and "list"; a calendar trigger at the local year, month,
// day, hour and minute of `fireTime` (its seconds dropped), not repeating.
NotificationRequest due(const QUuid &taskId, const QString &title, const QString &listName,
                        const QDateTime &fireTime, double leadSeconds);

// "slate-test-" with a fresh UUID, "Slatebook", "通知已开启，到期时会像这样提醒你", the default
// sound, shown 3 seconds after it is added.
NotificationRequest test();

} // namespace NotificationRequests
