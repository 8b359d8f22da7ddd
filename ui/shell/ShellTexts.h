#pragma once

#include <QString>

// Every text of the window around the screens: the sidebar, the application menu, the tray.
namespace ShellTexts {

QString tagline();
QString menuButton();
QString offlineNote();
QString settingsAction();
QString quitAction();
QString showWindowAction();
QString trayQuitAction();

} // namespace ShellTexts
