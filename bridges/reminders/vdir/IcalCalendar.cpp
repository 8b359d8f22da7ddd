#include "bridges/reminders/vdir/IcalCalendar.h"

#include <cstdlib>

IcalComponentPtr parseCalendar(const QByteArray &bytes)
{
    IcalComponentPtr root(icalparser_parse_string(bytes.constData()));
    if (!root || icalcomponent_isa(root.get()) != ICAL_VCALENDAR_COMPONENT)
        return nullptr;
    return root;
}

icalcomponent *reminderTodo(icalcomponent *calendar)
{
    for (icalcomponent *todo = icalcomponent_get_first_component(calendar, ICAL_VTODO_COMPONENT);
         todo; todo = icalcomponent_get_next_component(calendar, ICAL_VTODO_COMPONENT)) {
        if (icalcomponent_get_first_property(todo, ICAL_RECURRENCEID_PROPERTY))
            continue;
        const char *uid = icalcomponent_get_uid(todo);
        if (uid && *uid)
            return todo;
    }
    return nullptr;
}

bool hasParseErrors(icalcomponent *component)
{
    if (icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY))
        return true;
    for (icalcomponent *child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT);
         child; child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
        if (hasParseErrors(child))
            return true;
    }
    return false;
}

QByteArray serialized(icalcomponent *component)
{
    char *text = icalcomponent_as_ical_string_r(component);
    QByteArray bytes(text);
    std::free(text);
    return bytes;
}
