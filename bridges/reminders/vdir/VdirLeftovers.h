#pragma once

#include <QDateTime>
#include <QString>

// Removes what this program leaves behind in the reminders folder and its list folders when it
// is killed mid-change: hidden copies not yet renamed into place (".slatebook-*.tmp"), files and
// lists moved aside to be deleted (".slatebook-*.removed") and lists still being made
// (".slatebook-list-*"), once they are 15 minutes older than `now`.
void removeStaleLeftovers(const QString &root, const QDateTime &now);
