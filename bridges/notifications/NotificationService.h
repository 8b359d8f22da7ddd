#pragma once

#include "bridges/notifications/NotificationCenter.h"
#include "bridges/notifications/WallClock.h"
#include "data/TaskStore.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>
#include <functional>

// Schedules one local notification ahead of each open entry with a due time, cancels it, rebuilds
// the whole set, sends a test notification, counts what is pending and says in one line whether
// notifications are allowed. The only user of the notification center. Used from the main
// thread; every answer of the center reaches the caller there.
class NotificationService : public QObject, public NotificationCenterDelegate {
    Q_OBJECT
    Q_PROPERTY(QString statusText READ statusText NOTIFY statusTextChanged)

public:
    // The one instance of the window, created on first use, over the user's desktop notification
    // center. Command-line mode never creates it.
    static NotificationService &instance();

    // Registers as the center's delegate and starts the permission check. Both must outlive it.
    NotificationService(NotificationCenter &center, const WallClock &clock,
                        QObject *parent = nullptr);
    ~NotificationService() override;

    // "未检查" until the first permission check answers.
    QString statusText() const { return m_statusText; }

    // The settings Setting::NotifyOn and Setting::NotifyLead, read and written through on every
    // use.
    bool enabled() const;
    void setEnabled(bool enabled);
    double leadSeconds() const;
    void setLeadSeconds(double seconds);

    // Updates statusText later, on the main thread.
    void refreshStatus();
    // Asks for permission, then refreshes the status and calls `done` with the answer.
    void request(std::function<void(bool granted)> done = {});

    // Adds or replaces the entry's due notification at `due` minus leadSeconds. Does nothing while
    // `enabled` is off or when that moment is not strictly later than now.
    void schedule(const QUuid &id, const QString &title, const QString &listName,
                  const QDateTime &due);
    // Removes the entry's pending due notification, if any.
    void cancel(const QUuid &id);
    // Removes every pending request of the application.
    void cancelAll();
    // `reschedule`: removes every pending request (a test notification too), then, while
    // `enabled` is on, schedules the given entries in order.
    void reschedule(const QList<TaskStore::PendingTask> &entries);
    // Asks for permission and, when granted, posts the test notification, shown 3 seconds later.
    void sendTest();
    // `pendingCount`: the number of pending due notifications (test notifications not counted).
    void pendingCount(std::function<void(int)> done);

    // A notification that arrives while Slatebook is in front is shown as a banner with sound.
    Presentation willPresent(const NotificationRequest &request) override;

signals:
    void statusTextChanged();
    // After a change through setEnabled / setLeadSeconds, so every screen showing them follows.
    void enabledChanged();
    void leadSecondsChanged();

private:
    void setStatusText(const QString &text);

    NotificationCenter &m_center;
    const WallClock &m_clock;
    QString m_statusText;
};
