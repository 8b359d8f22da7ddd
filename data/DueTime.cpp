#include "data/DueTime.h"

namespace {

QDateTime onClock(const QDate &date, const QTime &time, const QTimeZone &zone)
{
    return zone.isValid() ? QDateTime(date, time, zone) : QDateTime(date, time, Qt::LocalTime);
}

} // namespace

QDateTime wallClockTime(const QDate &date, const QTime &time, const QTimeZone &zone)
{
    const QDateTime clock = onClock(date, time, zone);
    if (!date.isValid() || !time.isValid())
        return clock;
    // A day earlier the clock ran on the offset in force before any change on this day (no zone
    // changes its offset twice within a day).
    const QDateTime dayBefore = onClock(date.addDays(-1), time, zone);
    if (!dayBefore.isValid())
        return clock;
    const QDateTime instant = QDateTime(date, time, Qt::UTC).addSecs(-dayBefore.offsetFromUtc());
    const QDateTime earlierOffset =
        zone.isValid() ? instant.toTimeZone(zone) : instant.toLocalTime();
    // Qt calls a time in the gap invalid: it is read with the offset before the gap.
    if (!clock.isValid())
        return earlierOffset;
    // A time shown twice: Qt may pick either; the one on the earlier offset comes first.
    if (earlierOffset.date() == date && earlierOffset.time() == time && earlierOffset < clock)
        return earlierOffset;
    return clock;
}

QDateTime localTimeOn(const QDate &day, int hour, int minute)
{
    constexpr qint64 minutesPerDay = 24 * 60;
    const qint64 minutes = qint64(hour) * 60 + minute;
    qint64 days = minutes / minutesPerDay;
    qint64 minuteOfDay = minutes % minutesPerDay;
    if (minuteOfDay < 0) {
        minuteOfDay += minutesPerDay;
        --days;
    }
    return wallClockTime(day.addDays(days), QTime(int(minuteOfDay / 60), int(minuteOfDay % 60)));
}

bool isStorableDue(const QDateTime &due)
{
    const auto storableYear = [](const QDate &date) {
        return date.year() >= 1 && date.year() <= 9999;
    };
    return due.isValid() && storableYear(due.toLocalTime().date()) &&
        storableYear(due.toUTC().date());
}
