#include <gio/gio.h> // before Qt's headers: gio names a struct member `signals`

#include "bridges/reminders/eds/EdsPresence.h"

#include "bridges/reminders/RemindersLog.h"
#include "bridges/reminders/eds/EdsErrors.h"
#include "bridges/reminders/eds/GLibPointers.h"

#include <QStringList>
#include <algorithm>

namespace {

// The schema ESourceRegistry opens with g_settings_new as it is made.
const char *const registrySchema = "org.gnome.Evolution.DefaultSources";

// The bus names carry the interface version (Sources5 and Calendar8 in EDS 3.46), which the
// libraries keep to themselves; any version is taken as the service being installed.
const QLatin1String sourcesPrefix("org.gnome.evolution.dataserver.Sources");
const QLatin1String calendarsPrefix("org.gnome.evolution.dataserver.Calendar");

bool schemaKnown()
{
    GSettingsSchemaSource *schemas = g_settings_schema_source_get_default();
    if (!schemas)
        return false;
    GSettingsSchema *schema = g_settings_schema_source_lookup(schemas, registrySchema, true);
    if (!schema)
        return false;
    g_settings_schema_unref(schema);
    return true;
}

// The names the bus daemon lists with `method` (ListNames, ListActivatableNames).
QStringList busNames(GDBusConnection *bus, const char *method)
{
    GErrorOut error;
    GVariant *reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", method,
        nullptr, G_VARIANT_TYPE("(as)"), G_DBUS_CALL_FLAGS_NONE, -1, nullptr, error.receive());
    QStringList names;
    if (!reply) {
        qCDebug(lcReminders) << "the bus daemon did not answer" << method << ":"
                             << error.get()->message;
        return names;
    }
    GVariantIter *iter = nullptr;
    const gchar *name = nullptr;
    g_variant_get(reply, "(as)", &iter);
    while (g_variant_iter_next(iter, "&s", &name))
        names.append(QString::fromUtf8(name));
    g_variant_iter_free(iter);
    g_variant_unref(reply);
    return names;
}

bool offers(const QStringList &names, QLatin1String prefix)
{
    return std::any_of(names.begin(), names.end(), [prefix](const QString &name) {
        if (!name.startsWith(prefix) || name.size() == prefix.size())
            return false;
        const QStringView version = QStringView(name).mid(prefix.size());
        return std::all_of(version.begin(), version.end(), [](QChar c) { return c.isDigit(); });
    });
}

} // namespace

namespace EdsPresence {

std::optional<QString> missing()
{
    if (!schemaKnown()) {
        qCDebug(lcReminders) << "GSettings does not know the schema" << registrySchema;
        return EdsErrors::noSchema(QString::fromLatin1(registrySchema));
    }
    GErrorOut error;
    const GObjectPtr<GDBusConnection> bus(
        g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, error.receive()));
    if (!bus) {
        qCDebug(lcReminders) << "no session bus:" << error.get()->message;
        return EdsErrors::noSessionBus();
    }
    const QStringList names =
        busNames(bus.get(), "ListNames") + busNames(bus.get(), "ListActivatableNames");
    if (!offers(names, sourcesPrefix) || !offers(names, calendarsPrefix)) {
        qCDebug(lcReminders) << "the session bus neither runs nor can start EDS's services";
        return EdsErrors::notOnTheBus();
    }
    return std::nullopt;
}

} // namespace EdsPresence
