#include "bridges/reminders/vdir/VtodoRead.h"

#include "bridges/reminders/vdir/IcalCalendar.h"
#include "bridges/reminders/vdir/IcalTime.h"

namespace {

// Done as todoman and most clients read it: a STATUS says so itself; without one, a COMPLETED
// time or PERCENT-COMPLETE of 100 marks the reminder done.
bool isCompleted(icalcomponent *todo)
{
    if (icalcomponent_get_first_property(todo, ICAL_STATUS_PROPERTY))
        return icalcomponent_get_status(todo) == ICAL_STATUS_COMPLETED;
    if (icalcomponent_get_first_property(todo, ICAL_COMPLETED_PROPERTY))
        return true;
    icalproperty *percent = icalcomponent_get_first_property(todo, ICAL_PERCENTCOMPLETE_PROPERTY);
    return percent && icalproperty_get_percentcomplete(percent) >= 100;
}

ReminderFields fieldsOf(icalcomponent *todo, icalcomponent *calendar)
{
    ReminderFields fields;
    if (icalproperty *summary = icalcomponent_get_first_property(todo, ICAL_SUMMARY_PROPERTY))
        fields.title = QString::fromUtf8(icalproperty_get_summary(summary));
    if (icalproperty *due = icalcomponent_get_first_property(todo, ICAL_DUE_PROPERTY))
        fields.due = dueComponents(due, calendar);
    fields.completed = isCompleted(todo);
    if (icalproperty *completed = icalcomponent_get_first_property(todo, ICAL_COMPLETED_PROPERTY))
        fields.completionDate = instant(icalproperty_get_completed(completed));
    if (icalproperty *description =
            icalcomponent_get_first_property(todo, ICAL_DESCRIPTION_PROPERTY))
        fields.notes = QString::fromUtf8(icalproperty_get_description(description));
    return fields;
}

} // namespace

std::optional<ReminderItem> readReminderFile(const QByteArray &bytes, const QString &listId,
                                             const QString &location)
{
    const IcalComponentPtr calendar = parseCalendar(bytes);
    if (!calendar)
        return std::nullopt;
    icalcomponent *todo = reminderTodo(calendar.get());
    if (!todo)
        return std::nullopt;
    ReminderItem item;
    item.id = QString::fromUtf8(icalcomponent_get_uid(todo));
    item.listId = listId;
    item.fields = fieldsOf(todo, calendar.get());
    item.stored = item.fields;
    item.location = location;
    return item;
}
