#include "bridges/notifications/PendingRequest.h"

namespace {

// No daylight-saving change skips more than a day.
constexpr int longestGapMinutes = 24 * 60;

QDateTime startOfLocalMinute(const CalendarTrigger &trigger)
{
    // The components as plain numbers, to step past a gap without the local clock's rules.
    const QDateTime components(QDate(trigger.year, trigger.month, trigger.day),
                               QTime(trigger.hour, trigger.minute), Qt::UTC);
    for (int minutes = 0; minutes <= longestGapMinutes; ++minutes) {
        const QDateTime step = components.addSecs(minutes * 60);
        const QDateTime local(step.date(), step.time(), Qt::LocalTime);
        if (local.isValid())
            return local;
    }
    return components;
}

} // namespace

QDateTime PendingRequest::fireTime() const
{
    if (const auto *calendar = std::get_if<CalendarTrigger>(&request.trigger))
        return startOfLocalMinute(*calendar);
    const double seconds = std::get<IntervalTrigger>(request.trigger).seconds;
    return addedAt.addMSecs(qint64(seconds * 1000));
}
