#pragma once

#include <QString>

// The per-user folder holding tasks.json and history.json: $XDG_DATA_HOME/Slatebook, by
// default ~/.local/share/Slatebook. The same folder in window and command-line mode.
namespace DataFolder {

QString path();

// Creates the folder with all intermediate folders; returns false when that fails.
bool ensureExists();

} // namespace DataFolder
