#pragma once

#include <QString>
#include <optional>

// Whether the desktop's task service can be used from this process, found without starting it.
// Two things must hold. GSettings must know the schema that EDS's registry reads as it starts:
// without it GLib aborts the whole process inside the first registry call, so that call must
// not be made. And the session bus must offer EDS's source registry and calendar factory,
// running or startable by D-Bus activation (EDS is started on demand, so a desktop where
// nothing has used it yet runs neither).
namespace EdsPresence {

// Why the service cannot be used here, for the user: nothing when it can. Any thread; it
// makes its own calls to the bus daemon, never to EDS.
std::optional<QString> missing();

} // namespace EdsPresence
