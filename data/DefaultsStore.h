#pragma once

#include "data/SettingsSchema.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

// The per-user key-value store behind the settings: an INI file,
// $XDG_CONFIG_HOME/Slatebook/Slatebook.conf (by default ~/.config/Slatebook/Slatebook.conf),
// read and written as SettingsSchema types each key. An INI file keeps no types, so a value
// "holds a Boolean" when it reads "true" or "false", an integer when it is a decimal whole number,
// a floating-point number when it parses as a finite one. Nothing is ever written by reading.
class DefaultsStore {
public:
    DefaultsStore();

    static QString filePath();

    // The stored value, of the schema's type; the schema's default when the key is missing or
    // holds a value of another type (which is logged).
    QVariant value(Setting setting) const;
    // Written through to the file at once, as the schema types it. A failed write is logged.
    void setValue(Setting setting, const QVariant &value);

    // Keys in the file that no setting has: left as they are, never read.
    QStringList unknownKeys() const;

private:
    // mutable: QSettings reads through its cache, which a const read still refreshes.
    mutable QSettings m_settings;
};
