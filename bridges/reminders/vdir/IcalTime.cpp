#include "bridges/reminders/vdir/IcalTime.h"

#include "bridges/reminders/vdir/IcalZones.h"

#include <QTimeZone>

namespace {

QByteArray twoDigits(int value)
{
    return QByteArray::number(value).rightJustified(2, '0');
}

} // namespace

DueComponents dueComponents(icalproperty *due, icalcomponent *calendar)
{
    // Read without libical's own zone lookup, which would expand the file's VTIMEZONE.
    const icaltimetype time = icalproperty_get_due(due);
    if (!QDate::isValid(time.year, time.month, time.day))
        return {};
    const QDate date(time.year, time.month, time.day);
    if (time.is_date)
        return {date, std::nullopt, false};
    if (!QTime::isValid(time.hour, time.minute, time.second))
        return {};
    const QTime clock(time.hour, time.minute, time.second);
    if (icaltime_is_utc(time))
        return {date, clock, true};
    if (icalparameter *tzid = icalproperty_get_first_parameter(due, ICAL_TZID_PARAMETER)) {
        if (const std::optional<QDateTime> utc =
                instantInZone(date, clock, QByteArray(icalparameter_get_tzid(tzid)), calendar))
            return {utc->date(), utc->time(), true};
    }
    return {date, clock, false};
}

bool writable(const DueComponents &time)
{
    return time.date.isValid() && time.date.year() >= 1 && time.date.year() <= 9999 &&
        (!time.time || time.time->isValid());
}

icalproperty *timeProperty(icalproperty_kind kind, const DueComponents &time)
{
    if (!writable(time))
        return nullptr;
    QByteArray text = QByteArray::number(time.date.year()).rightJustified(4, '0') +
        twoDigits(time.date.month()) + twoDigits(time.date.day());
    if (time.time)
        text += 'T' + twoDigits(time.time->hour()) + twoDigits(time.time->minute()) +
            twoDigits(time.time->second()) + (time.utc ? "Z" : "");
    icalvalue *value = icalvalue_new_from_string(time.time ? ICAL_DATETIME_VALUE : ICAL_DATE_VALUE,
                                                 text.constData());
    if (!value)
        return nullptr;
    icalproperty *property = icalproperty_new(kind);
    icalproperty_set_value(property, value);
    return property;
}

QDateTime instant(const icaltimetype &time)
{
    const QDate date(time.year, time.month, time.day);
    const QTime clock(time.hour, time.minute, time.second);
    return icaltime_is_utc(time) ? QDateTime(date, clock, QTimeZone::utc())
                                 : QDateTime(date, clock);
}

DueComponents utcComponents(const QDateTime &instant)
{
    const QDateTime utc = instant.toUTC();
    return {utc.date(), utc.time(), true};
}
