#include "bridges/notifications/FreedesktopNotifier.h"

#include "bridges/notifications/NotifyLog.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");

constexpr int serverInformationTimeoutMs = 5000;

QDBusMessage callTo(const QString &method)
{
    return QDBusMessage::createMethodCall(service, path, interface, method);
}

// A server that reads the body as markup would swallow "<" and "&" in an entry title.
QString escapedMarkup(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&amp;"))
        .replace(QLatin1Char('<'), QLatin1String("&lt;"))
        .replace(QLatin1Char('>'), QLatin1String("&gt;"));
}

} // namespace

FreedesktopNotifier::FreedesktopNotifier(QDBusConnection bus, QObject *parent)
    : QObject(parent), m_bus(std::move(bus))
{
}

bool FreedesktopNotifier::serverAnswers(const QDBusConnection &bus)
{
    const QDBusMessage reply = bus.call(callTo(QStringLiteral("GetServerInformation")),
                                        QDBus::Block, serverInformationTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        qCDebug(lcNotify) << "no notification server answers:" << reply.errorMessage();
        return false;
    }
    return true;
}

void FreedesktopNotifier::show(const Notification &notification, std::function<void(bool)> done)
{
    auto *watcher = new QDBusPendingCallWatcher(
        m_bus.asyncCall(callTo(QStringLiteral("GetCapabilities"))), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, notification, done = std::move(done)](QDBusPendingCallWatcher *call) mutable {
                call->deleteLater();
                const QDBusPendingReply<QStringList> capabilities = *call;
                if (capabilities.isError()) {
                    qCDebug(lcNotify) << "notification server gave no capabilities:"
                                      << capabilities.error().message();
                    done(false);
                    return;
                }
                const bool bodyIsMarkup =
                    capabilities.value().contains(QStringLiteral("body-markup"));
                notify(notification, bodyIsMarkup, std::move(done));
            });
}

void FreedesktopNotifier::notify(const Notification &notification, bool bodyIsMarkup,
                                 std::function<void(bool)> done)
{
    QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("slatebook")}};
    if (notification.sound)
        hints.insert(QStringLiteral("sound-name"), QStringLiteral("message-new-instant"));
    QDBusMessage message = callTo(QStringLiteral("Notify"));
    message << QStringLiteral("Slatebook") // app_name
            << uint(0)                     // replaces_id: a new notification
            << QStringLiteral("slatebook") // app_icon: the application icon
            << notification.summary
            << (bodyIsMarkup ? escapedMarkup(notification.body) : notification.body)
            << QStringList() // actions: clicking does the default
            << hints << -1;  // expire_timeout: the server decides
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [done = std::move(done)](QDBusPendingCallWatcher *call) {
                call->deleteLater();
                if (call->isError())
                    qCDebug(lcNotify) << "notification not shown:" << call->error().message();
                done(!call->isError());
            });
}
