#pragma once

#include "bridges/reminders/ReminderStore.h"

#include <QDateTime>
#include <libical/ical.h>

// A DUE property as components: a DATE stays a day, a floating DATE-TIME stays on the user's
// clock, and one in UTC or with a TZID becomes that instant, given in UTC (a TZID whose zone
// cannot be worked out is read on the user's clock). Components that name no real day or time
// give an invalid date.
DueComponents dueComponents(icalproperty *due, icalcomponent *calendar);

// Whether the components can be written: a real day in the years 1 to 9999.
bool writable(const DueComponents &time);
// A property of that kind holding the components as a DATE or DATE-TIME; nothing when they are
// not writable. Built from its text: libical's own constructors write a year after 3000 as
// 00000000T000000, which no client reads back.
icalproperty *timeProperty(icalproperty_kind kind, const DueComponents &time);

// The instant a DATE-TIME stands for: in UTC when it says so, else on the user's clock.
QDateTime instant(const icaltimetype &time);
DueComponents utcComponents(const QDateTime &instant);
