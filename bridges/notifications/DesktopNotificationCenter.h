#pragma once

#include "bridges/notifications/FreedesktopNotifier.h"
#include "bridges/notifications/NotificationCenter.h"
#include "bridges/notifications/PendingRequestFile.h"
#include "bridges/notifications/WallClock.h"
#include "bridges/notifications/WallClockTimer.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QSet>
#include <memory>

// The notification center of the Linux desktop, which has no scheduled notifications of its
// own. Pending requests live in the state folder and survive a restart. While the application
// runs, each is shown through the desktop's notification server when its trigger time comes,
// and leaves the pending set once the server has taken it; when no server takes it, it stays
// and is tried again a minute later. A request whose time passed while Slatebook was not running
// is shown once as soon as a center over the same folder starts.
//
// One center per folder at a time: two would show every notification twice (the window
// process is single-instance for that reason). Lives on the main thread, where it shows
// notifications and calls its delegate.
class DesktopNotificationCenter : public QObject, public NotificationCenter {
    Q_OBJECT

public:
    DesktopNotificationCenter(const QString &stateFolder, QDBusConnection bus,
                              const WallClock &clock, QObject *parent = nullptr);

    // The user's center: the state folder, the session bus and the system clock.
    static DesktopNotificationCenter &forThisUser();

    // Call on the main thread.
    void setDelegate(NotificationCenterDelegate *delegate) override;
    // Authorized when a notification server answers on the bus, Unavailable when none does;
    // the desktop asks the user nothing, so requesting asks the bus again.
    void getAuthorizationStatus(std::function<void(AuthorizationStatus)> answer) override;
    void requestAuthorization(std::function<void(bool granted)> answer) override;
    void add(const NotificationRequest &request) override;
    void removePending(const QStringList &identifiers) override;
    void removeAllPending() override;
    void getPending(std::function<void(QList<NotificationRequest>)> answer) override;

    // Whether anything is pending, as last seen here.
    bool hasPending() const;

signals:
    // The pending set changed; emitted on the main thread.
    void pendingChanged();

private:
    void change(const std::function<void(QList<PendingRequest> &)> &edit);
    void afterChange();
    void showDue();
    void show(const PendingRequest &pending);
    void shown(const PendingRequest &pending, bool taken);
    QDateTime dueAt(const PendingRequest &pending) const;
    void aimTimer();

    const std::shared_ptr<PendingRequestFile> m_file;
    const QDBusConnection m_bus;
    const WallClock &m_clock;
    FreedesktopNotifier m_notifier;
    WallClockTimer m_timer;
    NotificationCenterDelegate *m_delegate = nullptr;
    QSet<QString> m_beingShown;          // identifiers handed to the server, not yet answered
    QHash<QString, QDateTime> m_retryAt; // identifiers the server did not take, and when to retry
};
