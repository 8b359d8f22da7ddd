#include "bridges/reminders/ReminderStores.h"

#include "bridges/reminders/eds/EdsReminderStore.h"
#include "bridges/reminders/vdir/VdirReminderStore.h"

#include <QCoreApplication>
#include <QPointer>

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

void probeDesktopTasks(QObject *context, std::function<void(bool answers)> done)
{
    const auto store = std::make_shared<EdsReminderStore>();
    store->requestAccess([store, context = QPointer(context), done = std::move(done)](bool answers) {
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
