#include "bridges/reminders/ReminderStores.h"

#include "bridges/reminders/RemindersLog.h"
#include "bridges/reminders/eds/EdsPresence.h"
#include "bridges/reminders/eds/EdsReminderStore.h"
#include "bridges/reminders/vdir/VdirReminderStore.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

namespace ReminderStores {

std::shared_ptr<ReminderStore> make(AppSettings::ReminderStore kind)
{
    if (kind == AppSettings::ReminderStore::Evolution)
        return std::make_shared<EdsReminderStore>();
    return std::make_shared<VdirReminderStore>(VdirReminderStore::defaultRoot());
}

std::shared_ptr<ReminderStore> chosen()
{
    if (const std::optional<QString> unknown = AppSettings::unknownReminderStore())
        qCDebug(lcReminders) << "the setting reminderStore names no store:" << *unknown
                             << "- the folder is used";
    return make(AppSettings::storedReminderStore());
}

std::optional<QString> fallbackNote()
{
    const std::optional<QString> unknown = AppSettings::unknownReminderStore();
    if (!unknown)
        return std::nullopt;
    return QStringLiteral(
               "注意：设置 reminderStore 的值「%1」不是可用的存储（folder 或 evolution），"
               "已改用%2")
        .arg(*unknown, title(AppSettings::ReminderStore::Folder));
}

QString title(AppSettings::ReminderStore kind)
{
    return kind == AppSettings::ReminderStore::Evolution ? EdsReminderStore::storeTitle()
                                                         : VdirReminderStore::storeTitle();
}

void probeDesktopTasks(QObject *context, std::function<void(bool offered)> done)
{
    QThreadPool::globalInstance()->start([context = QPointer(context), done = std::move(done)] {
        const bool offered = !EdsPresence::missing();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [context, done, offered] {
                if (context)
                    done(offered);
            },
            Qt::QueuedConnection);
    });
}

} // namespace ReminderStores
