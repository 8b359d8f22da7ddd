#pragma once

#include <QList>
#include <QString>

// The choices of the settings pickers: the part of the settings screen that is not about
// widgets.
namespace SettingsChoices {

struct Lead {
    QString label;
    double seconds;
};
// "提醒时机": 到期时, 30 minutes, 1 hour, 3 hours, 1 day ahead, plus the stored lead in its place
// in the order when it is none of them (the store takes any number), labelled in the same words.
QList<Lead> leads(double stored);

// "时": 0 to 23. A stored hour outside them (the store does not range-check) joins the choices,
// so the picker always shows what is stored.
QList<int> hours(int stored);
// "分": 0, 5, 10, 15, 20, 30, 45, 50 and 55, plus the stored minute in its place in the order
// when it is none of them (the default 23:59 has minute 59).
QList<int> minutes(int stored);
// Two digits: "05".
QString twoDigits(int value);

} // namespace SettingsChoices
