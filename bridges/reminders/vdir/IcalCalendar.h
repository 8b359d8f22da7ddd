#pragma once

#include <QByteArray>
#include <libical/ical.h>
#include <memory>

struct IcalComponentFree {
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};
using IcalComponentPtr = std::unique_ptr<icalcomponent, IcalComponentFree>;

// The calendar in a file's bytes; nothing unless they hold exactly one VCALENDAR.
IcalComponentPtr parseCalendar(const QByteArray &bytes);

// The calendar's reminder: its first VTODO that is not a recurrence override and has a UID.
icalcomponent *reminderTodo(icalcomponent *calendar);

// True when the parser dropped something it could not read, anywhere in the component: writing
// the component back would lose it.
bool hasParseErrors(icalcomponent *component);

// The component in iCalendar text (CRLF line ends, long lines folded).
QByteArray serialized(icalcomponent *component);
