#include "bridges/reminders/ReminderStores.h"

#include "bridges/reminders/eds/EdsReminderStore.h"
#include "bridges/reminders/vdir/VdirReminderStore.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QPointer>
#include <algorithm>

namespace ReminderStores {

std::shared_ptr<ReminderStore> make(AppSettings::ReminderStore kind)
{
    if (kind == AppSettings::ReminderStore::Evolution)
        return std::make_shared<EdsReminderStore>();
    return std::make_shared<VdirReminderStore>(VdirReminderStore::defaultRoot());
}

std::shared_ptr<ReminderStore> chosen()
{
    return make(AppSettings::storedReminderStore());
}

QString title(AppSettings::ReminderStore kind)
{
    return kind == AppSettings::ReminderStore::Evolution ? EdsReminderStore::storeTitle()
                                                         : VdirReminderStore::storeTitle();
}

namespace {

bool desktopTasksRunning()
{
    // The registry's bus name carries its interface version (Sources5 in EDS 3.46).
    const QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    if (!bus)
        return false;
    const QStringList names = bus->registeredServiceNames().value();
    return std::any_of(names.begin(), names.end(), [](const QString &name) {
        return name.startsWith(QLatin1String("org.gnome.evolution.dataserver.Sources"));
    });
}

} // namespace

void probeDesktopTasks(QObject *context, std::function<void(bool answers)> done)
{
    if (!desktopTasksRunning()) {
        QMetaObject::invokeMethod(
            context, [done] { done(false); }, Qt::QueuedConnection);
        return;
    }
    const auto store = std::make_shared<EdsReminderStore>();
    store->requestAccess(
        [store, context = QPointer(context), done = std::move(done)](bool answers) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [context, done, answers] {
                    if (context)
                        done(answers);
                },
                Qt::QueuedConnection);
        });
}

} // namespace ReminderStores
