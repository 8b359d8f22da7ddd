#pragma once

#include <QString>

// Moves a file that failed to load out of the way, to "<name>.unreadable-<UTC timestamp>" beside
// it, so that the next save does not destroy a hand-edited or newer-format file. A symbolic link
// to a regular file stays a link to that path: its target is kept aside in its own folder, for
// the save to replace. True when the content is safe to overwrite afterwards (kept aside, or
// already gone).
bool keepAside(const QString &path);
