#pragma once

#include "bridges/reminders/ReminderStore.h"

#include <QByteArray>
#include <QDateTime>
#include <variant>

// The .ics file for a reminder saved for the first time: one VCALENDAR with one VTODO.
QByteArray newReminderFile(const ReminderItem &item, const QDateTime &now);

// The current bytes of the item's file with the fields the item changed since it was read, and
// every other property and component kept. Fails when the file no longer holds this reminder
// or holds something the parser could not read, which writing back would lose.
std::variant<QByteArray, ReminderError>
changedReminderFile(const QByteArray &current, const ReminderItem &item, const QDateTime &now);
