#include "bridges/reminders/vdir/IcalTime.h"

#include <QTimeZone>

DueComponents dueComponents(const icaltimetype &time)
{
    if (!QDate::isValid(time.year, time.month, time.day))
        return {};
    const QDate date(time.year, time.month, time.day);
    if (time.is_date)
        return {date, std::nullopt, false};
    if (!QTime::isValid(time.hour, time.minute, time.second))
        return {};
    if (!icaltime_is_utc(time) && time.zone) {
        const QDateTime utc = instant(time).toUTC();
        return {utc.date(), utc.time(), true};
    }
    return {date, QTime(time.hour, time.minute, time.second), bool(icaltime_is_utc(time))};
}

icaltimetype icalDue(const DueComponents &due)
{
    icaltimetype time = due.time ? icaltime_null_time() : icaltime_null_date();
    time.year = due.date.year();
    time.month = due.date.month();
    time.day = due.date.day();
    if (due.time) {
        time.hour = due.time->hour();
        time.minute = due.time->minute();
        time.second = due.time->second();
        if (due.utc)
            time.zone = icaltimezone_get_utc_timezone();
    }
    return time;
}

QDateTime instant(const icaltimetype &time)
{
    if (time.zone)
        return QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(time, time.zone),
                                             QTimeZone::utc());
    return QDateTime(QDate(time.year, time.month, time.day),
                     QTime(time.hour, time.minute, time.second));
}

icaltimetype icalUtc(const QDateTime &instant)
{
    return icaltime_from_timet_with_zone(static_cast<time_t>(instant.toSecsSinceEpoch()), 0,
                                         icaltimezone_get_utc_timezone());
}
