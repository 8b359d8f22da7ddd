#pragma once

#include "bridges/reminders/ReminderError.h"

#include <glib.h>

// Failures of the desktop-tasks store: what Evolution Data Server refused, in GLib's error
// domain and code, with EDS's own message after a line saying who refused.
namespace EdsErrors {

ReminderError fromGError(const GError *error);

// A reminder that another program removed or changed beyond reading since it was read.
ReminderError reminderChanged(const QString &id);

} // namespace EdsErrors
