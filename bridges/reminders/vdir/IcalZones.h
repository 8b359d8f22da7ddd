#pragma once

#include <QByteArray>
#include <QDateTime>
#include <libical/ical.h>
#include <optional>

// The instant a wall-clock time stands for in the zone a TZID names. The system's zone database
// answers first, for the TZID itself, its last path parts (/mozilla.org/…/Europe/Berlin), a
// Windows zone name or the VTIMEZONE's X-LIC-LOCATION. Only a zone it does not know is taken from
// the file's VTIMEZONE, and only when that changes at most a few times a month: libical expands
// every change up to the time asked for, and a rule of FREQ=MINUTELY would mean minutes of work
// and gigabytes of memory. Nothing when the zone is neither known nor safe to expand.
std::optional<QDateTime> instantInZone(const QDate &date, const QTime &time, const QByteArray &tzid,
                                       icalcomponent *calendar);
