#include "data/DefaultsStore.h"

#include "data/StoreLog.h"

#include <QDir>
#include <QLocale>
#include <cmath>
#include <optional>

namespace {

// The text as the schema's type reads it; an invalid value when it does not.
QVariant typed(const QString &text, QMetaType::Type type)
{
    bool ok = false;
    switch (type) {
    case QMetaType::Bool:
        if (text == QLatin1String("true") || text == QLatin1String("false"))
            return text == QLatin1String("true");
        return {};
    case QMetaType::Int: {
        const int number = text.toInt(&ok);
        return ok ? QVariant(number) : QVariant();
    }
    case QMetaType::Double: {
        const double number = text.toDouble(&ok);
        return ok && std::isfinite(number) ? QVariant(number) : QVariant();
    }
    default:
        return text;
    }
}

// Values this process wrote come back from QSettings' cache with their type; values from the file
// come back as text. Both are seen as the file holds them, so a run reads the same either way.
// Nothing for an "@Variant(...)" or "@ByteArray(...)" value, which is text of no type.
std::optional<QString> asText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::Bool:
    case QMetaType::Int:
        return value.toString();
    case QMetaType::QStringList:
        // An unquoted value with commas in it, as a hand-edited file has it: the text as written.
        return value.toStringList().join(QLatin1Char(','));
    default:
        return std::nullopt;
    }
}

} // namespace

DefaultsStore::DefaultsStore() : m_settings(filePath(), QSettings::IniFormat) { }

QString DefaultsStore::filePath()
{
    // From the environment on every call: QSettings' own user path is fixed once per process.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Slatebook/Slatebook.conf");
}

QVariant DefaultsStore::value(Setting setting) const
{
    const SettingSpec &spec = SettingsSchema::spec(setting);
    const QVariant stored = m_settings.value(spec.key);
    if (!stored.isValid())
        return spec.fallback; // missing
    const std::optional<QString> text = asText(stored);
    const QVariant value = text ? typed(*text, spec.type) : QVariant();
    if (value.isValid())
        return value;
    qCDebug(lcStore) << "setting" << spec.key << "holds" << stored << "which is no"
                     << QMetaType(spec.type).name() << "; its default applies";
    return spec.fallback;
}

void DefaultsStore::setValue(Setting setting, const QVariant &value)
{
    const SettingSpec &spec = SettingsSchema::spec(setting);
    // A number goes in as its shortest exact decimal text, which is how a number reads back.
    m_settings.setValue(
        spec.key,
        spec.type == QMetaType::Double
            ? QVariant(QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest))
            : value);
    m_settings.sync();
    // The value stays in effect for this run; only the next start would miss it.
    if (m_settings.status() != QSettings::NoError)
        qCDebug(lcStore) << "settings not saved to" << m_settings.fileName() << "status"
                         << m_settings.status();
}

QStringList DefaultsStore::unknownKeys() const
{
    QStringList unknown;
    for (const QString &key : m_settings.allKeys()) {
        if (!SettingsSchema::find(key))
            unknown.append(key);
    }
    return unknown;
}
