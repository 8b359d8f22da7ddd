#pragma once

// GLib's headers before Qt's: gio names a struct member `signals`, which Qt defines as a macro.
#include <libecal/libecal.h>

#include "bridges/reminders/ReminderStore.h"
#include "bridges/reminders/eds/EdsSession.h"
#include "bridges/reminders/eds/GLibPointers.h"

#include <QByteArray>
#include <variant>

// Reminders as EDS keeps them, VTODO components, mapped onto ReminderItem exactly as the folder
// store maps its files: the iCalendar reading and writing of the folder store is used on a
// calendar that wraps the one component (with the time zones its DUE names, asked of the list
// through the session).
namespace EdsVtodo {

// The reminder a component holds; nothing for a recurrence override or one without a UID.
std::optional<ReminderItem> read(EdsSession &session, ECalClient *client, ICalComponent *todo,
                                 const QString &listId);

// The component for a reminder saved for the first time.
GObjectPtr<ICalComponent> created(const ReminderItem &item);

// The current component with the fields the item changed since it was read, everything else
// kept; fails when the reminder no longer reads as it did.
std::variant<GObjectPtr<ICalComponent>, ReminderError>
changed(EdsSession &session, ECalClient *client, ICalComponent *current, const ReminderItem &item);

} // namespace EdsVtodo
