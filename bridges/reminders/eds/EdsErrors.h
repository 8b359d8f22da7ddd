#pragma once

#include "bridges/reminders/ReminderError.h"

#include <glib.h>

// Failures of the desktop-tasks store, in the user's words. What Evolution Data Server refused
// keeps GLib's error domain and code and EDS's own message after a line saying who refused; a
// service that stopped or stopped answering is said so, with GLib's text left for the log.
namespace EdsErrors {

ReminderError fromGError(const GError *error);
// The service's process ended, or left the bus, before it answered.
bool serviceGone(const GError *error);
// The service stopped, or did not answer in time: nothing said about the request itself.
bool serviceFailed(const GError *error);

// A reminder that another program removed or changed beyond reading since it was read.
ReminderError reminderChanged(const QString &id);

// Why the service cannot be used, for the text after "未获得提醒事项访问权限".
QString noSchema(const QString &schema);
QString noSessionBus();
QString notOnTheBus();
QString noAnswer();
// The registry could not be reached for any other reason.
QString unreachable();

} // namespace EdsErrors
