#include "bridges/reminders/eds/EdsVtodo.h"

#include "bridges/reminders/RemindersLog.h"
#include "bridges/reminders/vdir/IcalCalendar.h"
#include "bridges/reminders/vdir/VtodoRead.h"
#include "bridges/reminders/vdir/VtodoWrite.h"

#include <QDateTime>

namespace {

QByteArray textOf(ICalComponent *component)
{
    gchar *text = i_cal_component_as_ical_string(component);
    QByteArray bytes(text);
    g_free(text);
    return bytes;
}

// The VTIMEZONE that the DUE's TZID names, as the list knows it; empty for a floating or UTC
// due time, or a zone the list does not know (libical then tries its built-in zones).
QByteArray dueZone(EdsSession &session, ECalClient *client, ICalComponent *todo)
{
    const GObjectPtr<ICalProperty> due(
        i_cal_component_get_first_property(todo, I_CAL_DUE_PROPERTY));
    if (!due)
        return {};
    const GObjectPtr<ICalParameter> tzid(
        i_cal_property_get_first_parameter(due.get(), I_CAL_TZID_PARAMETER));
    if (!tzid || !client)
        return {};
    ICalTimezone *zone = nullptr;
    GErrorOut error;
    if (!session.call(
            [&](GCancellable *cancellable, GError **failure) {
                return e_cal_client_get_timezone_sync(client, i_cal_parameter_get_tzid(tzid.get()),
                                                      &zone, cancellable, failure);
            },
            error.receive()) ||
        !zone) {
        if (error)
            qCDebug(lcReminders) << "time zone of a due time not found:" << error.get()->message;
        return {};
    }
    const GObjectPtr<ICalComponent> component(i_cal_timezone_get_component(zone));
    return component ? textOf(component.get()) : QByteArray();
}

QByteArray wrapped(const QByteArray &todo, const QByteArray &zones = {})
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Slatebook//Slatebook//ZH\r\n" + zones +
        todo + "END:VCALENDAR\r\n";
}

// The VTODO of a calendar the folder store's writer made, as an EDS component.
GObjectPtr<ICalComponent> todoOf(const QByteArray &calendarBytes)
{
    const IcalComponentPtr calendar = parseCalendar(calendarBytes);
    icalcomponent *todo = calendar ? reminderTodo(calendar.get()) : nullptr;
    if (!todo)
        return nullptr;
    return GObjectPtr<ICalComponent>(i_cal_component_new_from_string(serialized(todo).constData()));
}

} // namespace

namespace EdsVtodo {

std::optional<ReminderItem> read(EdsSession &session, ECalClient *client, ICalComponent *todo,
                                 const QString &listId)
{
    return readReminderFile(wrapped(textOf(todo), dueZone(session, client, todo)), listId, listId);
}

GObjectPtr<ICalComponent> created(const ReminderItem &item)
{
    return todoOf(newReminderFile(item, QDateTime::currentDateTimeUtc()));
}

std::variant<GObjectPtr<ICalComponent>, ReminderError>
changed(EdsSession &session, ECalClient *client, ICalComponent *current, const ReminderItem &item)
{
    const auto bytes =
        changedReminderFile(wrapped(textOf(current), dueZone(session, client, current)), item,
                            QDateTime::currentDateTimeUtc());
    if (const ReminderError *error = std::get_if<ReminderError>(&bytes))
        return *error;
    return todoOf(std::get<QByteArray>(bytes));
}

} // namespace EdsVtodo
