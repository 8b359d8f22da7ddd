#pragma once

#include <QString>
#include <QStringList>

// bench/ocr tries a value of a pipeline setting without a rebuild (`--set name=value`); the
// program never sets one, so it keeps the values of PpOcrSettings.h. A setting takes part when
// the code reads it through tuned().
namespace TunedSettings {

void set(const QString &name, double value);

// The names set that no code has read: misspelt, or not a tunable setting.
QStringList unread();

double value(const char *name, double setting);

} // namespace TunedSettings

template <typename T>
T tuned(const char *name, T setting)
{
    return T(TunedSettings::value(name, double(setting)));
}
