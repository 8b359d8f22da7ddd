#include "bridges/reminders/vdir/VtodoWrite.h"

#include "bridges/reminders/vdir/IcalCalendar.h"
#include "bridges/reminders/vdir/IcalTime.h"
#include "bridges/reminders/vdir/VdirErrors.h"

namespace {

void removeAll(icalcomponent *todo, icalproperty_kind kind)
{
    while (icalproperty *property = icalcomponent_get_first_property(todo, kind)) {
        icalcomponent_remove_property(todo, property);
        icalproperty_free(property);
    }
}

void replace(icalcomponent *todo, icalproperty_kind kind, icalproperty *property)
{
    removeAll(todo, kind);
    if (property)
        icalcomponent_add_property(todo, property);
}

void setTitle(icalcomponent *todo, const std::optional<QString> &title)
{
    replace(todo, ICAL_SUMMARY_PROPERTY, title ? icalproperty_new_summary(title->toUtf8().constData()) : nullptr);
}

void setDue(icalcomponent *todo, const std::optional<DueComponents> &due)
{
    // A DURATION stands in for DUE; the two may not appear together.
    removeAll(todo, ICAL_DURATION_PROPERTY);
    replace(todo, ICAL_DUE_PROPERTY, due ? icalproperty_new_due(icalDue(*due)) : nullptr);
}

void setCompleted(icalcomponent *todo, bool completed)
{
    replace(todo, ICAL_STATUS_PROPERTY,
            icalproperty_new_status(completed ? ICAL_STATUS_COMPLETED : ICAL_STATUS_NEEDSACTION));
    // Some clients count 100 per cent as done whatever the status says.
    icalproperty *percent = icalcomponent_get_first_property(todo, ICAL_PERCENTCOMPLETE_PROPERTY);
    if (!completed && percent && icalproperty_get_percentcomplete(percent) >= 100)
        removeAll(todo, ICAL_PERCENTCOMPLETE_PROPERTY);
}

void setCompletionDate(icalcomponent *todo, const std::optional<QDateTime> &date)
{
    replace(todo, ICAL_COMPLETED_PROPERTY, date ? icalproperty_new_completed(icalUtc(*date)) : nullptr);
}

void setNotes(icalcomponent *todo, const std::optional<QString> &notes)
{
    replace(todo, ICAL_DESCRIPTION_PROPERTY,
            notes ? icalproperty_new_description(notes->toUtf8().constData()) : nullptr);
}

} // namespace

QByteArray newReminderFile(const ReminderItem &item, const QDateTime &now)
{
    const IcalComponentPtr calendar(icalcomponent_vanew(
        ICAL_VCALENDAR_COMPONENT, icalproperty_new_version("2.0"),
        icalproperty_new_prodid("-//Slatebook//Slatebook//ZH"), static_cast<void *>(nullptr)));
    icalcomponent *todo = icalcomponent_new(ICAL_VTODO_COMPONENT);
    icalcomponent_add_component(calendar.get(), todo);

    icalcomponent_add_property(todo, icalproperty_new_uid(item.id.toUtf8().constData()));
    icalcomponent_add_property(todo, icalproperty_new_dtstamp(icalUtc(now)));
    icalcomponent_add_property(todo, icalproperty_new_created(icalUtc(now)));
    const ReminderFields &fields = item.fields;
    setTitle(todo, fields.title);
    if (fields.due)
        setDue(todo, fields.due);
    if (fields.completed)
        setCompleted(todo, true);
    setCompletionDate(todo, fields.completionDate);
    setNotes(todo, fields.notes);
    return serialized(calendar.get());
}

std::variant<QByteArray, ReminderError> changedReminderFile(const QByteArray &current,
                                                            const ReminderItem &item,
                                                            const QDateTime &now)
{
    const IcalComponentPtr calendar = parseCalendar(current);
    icalcomponent *todo = calendar ? reminderTodo(calendar.get()) : nullptr;
    if (!todo || QString::fromUtf8(icalcomponent_get_uid(todo)) != item.id)
        return VdirErrors::reminderChanged(item.location);
    if (hasParseErrors(calendar.get()))
        return VdirErrors::unreadableParts(item.location);

    const ReminderFields &read = *item.stored;
    const ReminderFields &wanted = item.fields;
    if (wanted.title != read.title)
        setTitle(todo, wanted.title);
    if (wanted.due != read.due)
        setDue(todo, wanted.due);
    if (wanted.completed != read.completed)
        setCompleted(todo, wanted.completed);
    if (wanted.completionDate != read.completionDate)
        setCompletionDate(todo, wanted.completionDate);
    if (wanted.notes != read.notes)
        setNotes(todo, wanted.notes);
    replace(todo, ICAL_DTSTAMP_PROPERTY, icalproperty_new_dtstamp(icalUtc(now)));
    replace(todo, ICAL_LASTMODIFIED_PROPERTY, icalproperty_new_lastmodified(icalUtc(now)));
    return serialized(calendar.get());
}
