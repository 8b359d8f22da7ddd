#pragma once

#include <QString>
#include <optional>

// The three settings that the due notifications and the window keep in the same defaults store
// as AppSettings (SettingsSchema gives their keys and defaults), read fresh on every call.
namespace SharedDefaults {

// Whether due notifications are scheduled.
bool notifyOn();
// How many seconds before the due time a notification fires.
double notifyLead();
// Raw name of the sidebar section to open at start; nothing opens the first section.
std::optional<QString> startSection();

} // namespace SharedDefaults
