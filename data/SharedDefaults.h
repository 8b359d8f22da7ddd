#pragma once

#include <QString>
#include <optional>

// The three keys that the due notifications and the window keep in the same defaults store as
// AppSettings, read fresh on every call:
//
//   key             stored as              when absent or of another type  owner
//   "notifyOn"      Boolean                true                            due notifications
//   "notifyLead"    floating-point seconds 0                               due notifications
//   "startSection"  string                 nothing (the first section)     the window; never
//   written
namespace SharedDefaults {

// Whether due notifications are scheduled.
bool notifyOn();
// How many seconds before the due time a notification fires.
double notifyLead();
// Raw name of the sidebar section to open at start.
std::optional<QString> startSection();

} // namespace SharedDefaults
