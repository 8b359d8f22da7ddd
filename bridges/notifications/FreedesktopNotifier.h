#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <functional>

// The desktop's notification server: org.freedesktop.Notifications on the session bus.
class FreedesktopNotifier : public QObject {
    Q_OBJECT

public:
    struct Notification {
        QString summary;
        QString body;
        bool sound = false; // the desktop's default sound for a new message
    };

    explicit FreedesktopNotifier(QDBusConnection bus, QObject *parent = nullptr);

    // Whether a notification server answers on the bus. Blocks for up to a few seconds, so it
    // belongs on a background thread.
    static bool serverAnswers(const QDBusConnection &bus);

    // Shows the notification as Slatebook's; `done` learns, on this object's thread, whether a
    // server took it. Not called once this object is gone.
    void show(const Notification &notification, std::function<void(bool shown)> done);

private:
    void notify(const Notification &notification, bool bodyIsMarkup,
                std::function<void(bool)> done);

    QDBusConnection m_bus;
};
