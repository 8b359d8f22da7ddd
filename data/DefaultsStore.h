#pragma once

#include <QSettings>
#include <QString>
#include <optional>

// The per-user key-value store behind the settings: an INI file,
// $XDG_CONFIG_HOME/Slatebook/Slatebook.conf (by default ~/.config/Slatebook/Slatebook.conf).
// An INI file keeps no types, so a value "holds a Boolean" when it reads "true" or "false", an
// integer when it is a decimal whole number, a floating-point number when it parses as a finite
// one. Reads give nothing for a missing key or a value of another type; nothing is ever written
// by reading.
class DefaultsStore {
public:
    DefaultsStore();

    static QString filePath();

    std::optional<QString> text(const QString &key) const;
    std::optional<bool> boolean(const QString &key) const;
    std::optional<int> integer(const QString &key) const;
    std::optional<double> number(const QString &key) const;

    // Written through to the file at once. A failed write is not reported.
    void setText(const QString &key, const QString &value);
    void setBoolean(const QString &key, bool value);
    void setInteger(const QString &key, int value);

private:
    void set(const QString &key, const QVariant &value);

    // mutable: QSettings reads through its cache, which a const read still refreshes.
    mutable QSettings m_settings;
};
