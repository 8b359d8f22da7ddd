#pragma once

#include "bridges/reminders/ReminderStore.h"

#include <QDateTime>
#include <libical/ical.h>

// A DUE value as components: a DATE stays a day, a floating DATE-TIME stays on the user's clock,
// and one with a TZID or in UTC becomes that instant, given in UTC. Components that name no
// real day or time give an invalid date.
DueComponents dueComponents(const icaltimetype &time);
icaltimetype icalDue(const DueComponents &due);

// The instant a DATE-TIME stands for; a floating one is read on the user's clock.
QDateTime instant(const icaltimetype &time);
icaltimetype icalUtc(const QDateTime &instant);
