#include "data/DefaultsStore.h"

#include "data/StoreLog.h"

#include <QDir>
#include <cmath>

DefaultsStore::DefaultsStore() : m_settings(filePath(), QSettings::IniFormat) { }

QString DefaultsStore::filePath()
{
    // From the environment on every call: QSettings' own user path is fixed once per process.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Slatebook/Slatebook.conf");
}

std::optional<QString> DefaultsStore::text(const QString &key) const
{
    // Values this process wrote come back from QSettings' cache with their type; values from the
    // file come back as text. Both are seen as the file holds them, so a run reads the same either
    // way.
    const QVariant value = m_settings.value(key);
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::Bool:
    case QMetaType::Int:
        return value.toString();
    case QMetaType::QStringList:
        // An unquoted value with commas in it, as a hand-edited file has it: the text as written.
        return value.toStringList().join(QLatin1Char(','));
    case QMetaType::UnknownType:
        return std::nullopt; // missing
    default:
        qCDebug(lcStore) << "setting" << key
                         << "holds a value of another type; its default applies";
        return std::nullopt; // an "@Variant(...)" / "@ByteArray(...)" value
    }
}

std::optional<bool> DefaultsStore::boolean(const QString &key) const
{
    const std::optional<QString> value = text(key);
    if (value == QLatin1String("true"))
        return true;
    if (value == QLatin1String("false"))
        return false;
    return std::nullopt;
}

std::optional<int> DefaultsStore::integer(const QString &key) const
{
    const std::optional<QString> value = text(key);
    bool ok = false;
    const int number = value ? value->toInt(&ok) : 0;
    return ok ? std::optional(number) : std::nullopt;
}

std::optional<double> DefaultsStore::number(const QString &key) const
{
    const std::optional<QString> value = text(key);
    bool ok = false;
    const double number = value ? value->toDouble(&ok) : 0;
    return ok && std::isfinite(number) ? std::optional(number) : std::nullopt;
}

void DefaultsStore::set(const QString &key, const QVariant &value)
{
    m_settings.setValue(key, value);
    m_settings.sync();
    // The value stays in effect for this run; only the next start would miss it.
    if (m_settings.status() != QSettings::NoError)
        qCDebug(lcStore) << "settings not saved to" << m_settings.fileName() << "status"
                         << m_settings.status();
}

void DefaultsStore::setText(const QString &key, const QString &value)
{
    set(key, value);
}

void DefaultsStore::setBoolean(const QString &key, bool value)
{
    set(key, value);
}

void DefaultsStore::setInteger(const QString &key, int value)
{
    set(key, value);
}
