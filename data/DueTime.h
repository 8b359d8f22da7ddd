#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QTimeZone>

// The date and time as a clock in `zone` shows them (the local clock when `zone` is invalid), as
// RFC 5545 reads a wall-clock time: one the clocks skip when they spring forward is read with the
// offset in force before the gap, so 02:30 in a one-hour gap is 03:30; one the clocks show twice
// when they fall back is the first of the two. Invalid only when the date or time is.
QDateTime wallClockTime(const QDate &date, const QTime &time, const QTimeZone &zone = {});

// The given day at hour:minute on the local clock. Set as clock fields, not added as elapsed
// seconds to the start of the day, so a day on which the clocks change still gives the chosen
// time. An hour or minute outside the clock's range rolls over as elapsed time would (25:00 is
// 01:00 the next day, -0:30 is 23:30 the day before).
QDateTime localTimeOn(const QDate &day, int hour, int minute);

// True when every store of the system can keep the instant: tasks.json and iCalendar files write
// four-digit years, on the local clock or in UTC, so both must lie in the years 1 to 9999.
bool isStorableDue(const QDateTime &due);
