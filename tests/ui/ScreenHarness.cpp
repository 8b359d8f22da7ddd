#include "ScreenHarness.h"
#include "support/TestPaths.h"

#include "bridges/notifications/WallClock.h"
#include "data/DataFolder.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <future>

ScreenHarness::ScreenHarness()
    : store(DataFolder::path()), center(home.path() + QStringLiteral("/.local/state/Slatebook"),
                                        QDBusConnection::sessionBus(), WallClock::system()),
      notify(center, WallClock::system())
{
}

SharedObjects ScreenHarness::shared()
{
    return {settings, history, service, store, notify};
}

QList<NotificationRequest> ScreenHarness::pendingNotifications()
{
    auto answer = std::make_shared<std::promise<QList<NotificationRequest>>>();
    std::future<QList<NotificationRequest>> pending = answer->get_future();
    center.getPending(
        [answer](QList<NotificationRequest> requests) { answer->set_value(std::move(requests)); });
    while (pending.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return pending.get();
}

QStringList ScreenHarness::titlesIn(const QString &listName) const
{
    QStringList titles;
    if (const auto list = store.list(listName)) {
        for (const TaskItem &task : list->tasks)
            titles.append(task.title);
    }
    return titles;
}

QStringList ScreenHarness::reminderFiles(const QString &listName) const
{
    const QDir root(home.path() + QStringLiteral("/.local/share/Slatebook/Reminders"));
    for (const QString &folder : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile name(root.filePath(folder + QStringLiteral("/displayname")));
        if (name.open(QIODevice::ReadOnly) &&
            QString::fromUtf8(name.readAll()).trimmed() == listName)
            return QDir(root.filePath(folder)).entryList({QStringLiteral("*.ics")}, QDir::Files);
    }
    return {};
}

bool waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

QString corpusImage(const QString &name)
{
    return TestPaths::data(name);
}
