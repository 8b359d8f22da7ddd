#include "data/DueTime.h"

#include <QTime>

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
    return QDateTime(day.addDays(days), QTime(int(minuteOfDay / 60), int(minuteOfDay % 60)),
                     Qt::LocalTime);
}

bool isStorableDue(const QDateTime &due)
{
    const auto storableYear = [](const QDate &date) {
        return date.year() >= 1 && date.year() <= 9999;
    };
    return due.isValid() && storableYear(due.toLocalTime().date()) &&
        storableYear(due.toUTC().date());
}
