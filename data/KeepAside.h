#pragma once

#include <QString>

// Moves a file that failed to load out of the way, to "<name>.unreadable-<UTC timestamp>" beside
// it, so that the next save does not destroy a hand-edited or newer-format file. True when
// nothing is left at the path afterwards (moved, or already gone).
bool keepAside(const QString &path);
