#pragma once

#include <QString>

// The per-user folder for state that is not the user's data: $XDG_STATE_HOME/Slatebook, by
// default ~/.local/state/Slatebook. Holds the pending notifications.
namespace StateFolder {

QString path();

} // namespace StateFolder
