#pragma once

#include <QString>
#include <QtGlobal>

// Points HOME and the XDG folders into a temporary folder, so a benchmark never touches the
// user's own lists, settings or notifications.
inline void useHome(const QString &home)
{
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_DATA_HOME", (home + "/.local/share").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
    qputenv("XDG_STATE_HOME", (home + "/.local/state").toUtf8());
    qputenv("XDG_CACHE_HOME", (home + "/.cache").toUtf8());
}
