#pragma once

#include <QString>

// The desktop's file browser and program launcher. Each call returns at once on the main thread
// and reports nothing: what the desktop makes of it is the desktop's affair.
namespace DesktopServices {

// Shows the folder in the file browser.
void openFolder(const QString &folder);

// Opens the file browser with the file selected, through the desktop's file manager service
// (org.freedesktop.FileManager1); when no file manager answers, shows the folder holding it.
void revealFile(const QString &file);

// Starts the program at that location.
void openApplication(const QString &program);

} // namespace DesktopServices
