#include "bridges/reminders/vdir/VtodoWrite.h"

#include "bridges/reminders/RemindersLog.h"
#include "bridges/reminders/vdir/IcalCalendar.h"
#include "bridges/reminders/vdir/IcalTime.h"
#include "bridges/reminders/vdir/VdirErrors.h"

#include <QList>
#include <cstdlib>

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
    replace(todo, ICAL_SUMMARY_PROPERTY,
            title ? icalproperty_new_summary(title->toUtf8().constData()) : nullptr);
}

void setDue(icalcomponent *todo, const std::optional<DueComponents> &due)
{
    // A DURATION stands in for DUE; the two may not appear together.
    removeAll(todo, ICAL_DURATION_PROPERTY);
    replace(todo, ICAL_DUE_PROPERTY, due ? timeProperty(ICAL_DUE_PROPERTY, *due) : nullptr);
}

void setCompleted(icalcomponent *todo, bool completed)
{
    replace(todo, ICAL_STATUS_PROPERTY,
            icalproperty_new_status(completed ? ICAL_STATUS_COMPLETED : ICAL_STATUS_NEEDSACTION));
    // A COMPLETED time alone also reads as done elsewhere (todoman).
    if (!completed)
        removeAll(todo, ICAL_COMPLETED_PROPERTY);
    // Some clients count 100 per cent as done whatever the status says.
    icalproperty *percent = icalcomponent_get_first_property(todo, ICAL_PERCENTCOMPLETE_PROPERTY);
    if (!completed && percent && icalproperty_get_percentcomplete(percent) >= 100)
        removeAll(todo, ICAL_PERCENTCOMPLETE_PROPERTY);
}

void setCompletionDate(icalcomponent *todo, const std::optional<QDateTime> &date)
{
    replace(todo, ICAL_COMPLETED_PROPERTY,
            date ? timeProperty(ICAL_COMPLETED_PROPERTY, utcComponents(*date)) : nullptr);
}

void setNotes(icalcomponent *todo, const std::optional<QString> &notes)
{
    replace(todo, ICAL_DESCRIPTION_PROPERTY,
            notes ? icalproperty_new_description(notes->toUtf8().constData()) : nullptr);
}

// Logical lines of iCalendar text: each physical line with the folded lines that continue it.
QList<QByteArray> logicalLines(const QByteArray &text)
{
    QList<QByteArray> physicalLines = text.split('\n');
    if (!physicalLines.isEmpty() && physicalLines.constLast().isEmpty())
        physicalLines.removeLast();
    QList<QByteArray> lines;
    for (const QByteArray &physical : std::as_const(physicalLines)) {
        const QByteArray line = physical + '\n';
        if (!lines.isEmpty() && (line.startsWith(' ') || line.startsWith('\t')))
            lines.last() += line;
        else
            lines.append(line);
    }
    return lines;
}

QByteArray propertyName(const QByteArray &line)
{
    qsizetype end = 0;
    while (end < line.size() && line[end] != ':' && line[end] != ';' && line[end] != '\r' &&
           line[end] != '\n')
        ++end;
    return line.left(end).trimmed().toUpper();
}

// The file's text with, inside the reminder's VTODO (the `todoIndex`th VTODO of the calendar),
// the properties of the `changed` kinds replaced by those of `todo`. Every other line stays as
// the client wrote it: libical would split a multi-valued CATEGORIES into one line per value,
// which some clients (todoman) then refuse to read. Nothing when the text is not laid out as
// expected.
std::optional<QByteArray> splicedFile(const QByteArray &current, int todoIndex, icalcomponent *todo,
                                      const QList<icalproperty_kind> &changed)
{
    const bool crlf = current.contains("\r\n");
    QList<QByteArray> names;
    for (const icalproperty_kind kind : changed)
        names.append(QByteArray(icalproperty_kind_to_string(kind)));
    // In the order the todo holds them, so the text reads back as the same component.
    QByteArray replacement;
    for (icalproperty *property = icalcomponent_get_first_property(todo, ICAL_ANY_PROPERTY);
         property; property = icalcomponent_get_next_property(todo, ICAL_ANY_PROPERTY)) {
        if (!changed.contains(icalproperty_isa(property)))
            continue;
        char *text = icalproperty_as_ical_string_r(property);
        replacement += QByteArray(text);
        std::free(text);
    }
    if (!crlf)
        replacement.replace("\r\n", "\n");

    QByteArray out;
    int depth = 0;
    int todosSeen = 0;
    bool inTarget = false;
    bool spliced = false;
    for (const QByteArray &line : logicalLines(current)) {
        const QByteArray name = propertyName(line);
        const QByteArray value = line.mid(line.indexOf(':') + 1).trimmed().toUpper();
        if (name == "BEGIN") {
            ++depth;
            if (depth == 2 && value == "VTODO")
                inTarget = todosSeen++ == todoIndex;
        } else if (name == "END") {
            if (depth == 2 && inTarget) {
                out += replacement;
                inTarget = false;
                spliced = true;
            }
            --depth;
        } else if (inTarget && depth == 2 && names.contains(name)) {
            continue;
        }
        out += line;
    }
    if (!spliced)
        return std::nullopt;
    return out;
}

// Position of the todo among the calendar's VTODO components.
int todoIndexOf(icalcomponent *calendar, icalcomponent *todo)
{
    int index = 0;
    for (icalcomponent *each = icalcomponent_get_first_component(calendar, ICAL_VTODO_COMPONENT);
         each; each = icalcomponent_get_next_component(calendar, ICAL_VTODO_COMPONENT), ++index) {
        if (each == todo)
            return index;
    }
    return -1;
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
    icalcomponent_add_property(todo, timeProperty(ICAL_DTSTAMP_PROPERTY, utcComponents(now)));
    icalcomponent_add_property(todo, timeProperty(ICAL_CREATED_PROPERTY, utcComponents(now)));
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

std::variant<QByteArray, ReminderError>
changedReminderFile(const QByteArray &current, const ReminderItem &item, const QDateTime &now)
{
    const IcalComponentPtr calendar = parseCalendar(current);
    icalcomponent *todo = calendar ? reminderTodo(calendar.get()) : nullptr;
    if (!todo || QString::fromUtf8(icalcomponent_get_uid(todo)) != item.id)
        return VdirErrors::reminderChanged(item.location);
    if (hasParseErrors(calendar.get()))
        return VdirErrors::unreadableParts(item.location);

    const ReminderFields &read = *item.stored;
    const ReminderFields &wanted = item.fields;
    QList<icalproperty_kind> changed = {ICAL_DTSTAMP_PROPERTY, ICAL_LASTMODIFIED_PROPERTY};
    if (wanted.title != read.title) {
        setTitle(todo, wanted.title);
        changed.append(ICAL_SUMMARY_PROPERTY);
    }
    if (wanted.due != read.due) {
        setDue(todo, wanted.due);
        changed.append({ICAL_DUE_PROPERTY, ICAL_DURATION_PROPERTY});
    }
    if (wanted.completed != read.completed) {
        setCompleted(todo, wanted.completed);
        changed.append(
            {ICAL_STATUS_PROPERTY, ICAL_PERCENTCOMPLETE_PROPERTY, ICAL_COMPLETED_PROPERTY});
    }
    if (wanted.completionDate != read.completionDate) {
        setCompletionDate(todo, wanted.completionDate);
        if (!changed.contains(ICAL_COMPLETED_PROPERTY))
            changed.append(ICAL_COMPLETED_PROPERTY);
    }
    if (wanted.notes != read.notes) {
        setNotes(todo, wanted.notes);
        changed.append(ICAL_DESCRIPTION_PROPERTY);
    }
    replace(todo, ICAL_DTSTAMP_PROPERTY, timeProperty(ICAL_DTSTAMP_PROPERTY, utcComponents(now)));
    replace(todo, ICAL_LASTMODIFIED_PROPERTY,
            timeProperty(ICAL_LASTMODIFIED_PROPERTY, utcComponents(now)));
    // What is written must read back exactly as the changed component. Text laid out in a way
    // the splice does not follow is written whole instead; a value libical cannot write so that
    // it reads back the same (a bare CR inside it) is not written at all.
    const QByteArray whole = serialized(calendar.get());
    const auto readsBackAsChanged = [&](const QByteArray &text) {
        const IcalComponentPtr reread = parseCalendar(text);
        if (!reread || hasParseErrors(reread.get()) || serialized(reread.get()) != whole)
            return false;
        icalcomponent *rereadTodo = reminderTodo(reread.get());
        return rereadTodo && QString::fromUtf8(icalcomponent_get_uid(rereadTodo)) == item.id;
    };
    const std::optional<QByteArray> spliced =
        splicedFile(current, todoIndexOf(calendar.get(), todo), todo, changed);
    if (spliced && readsBackAsChanged(*spliced))
        return *spliced;
    if (readsBackAsChanged(whole)) {
        qCDebug(lcReminders) << "rewriting" << item.location
                             << "whole: its text is not laid out as expected";
        return whole;
    }
    qCDebug(lcReminders) << "not changing" << item.location
                         << ": it would not read back as written";
    return VdirErrors::unreadableParts(item.location);
}
