#include "bridges/desktop/ScreenshotPortal.h"

#include "bridges/desktop/DesktopLog.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>
#include <QUrl>
#include <QUuid>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString screenshotInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");

// Response codes of org.freedesktop.portal.Request.
constexpr uint responseSuccess = 0;
constexpr uint responseCancelled = 1;

// Where the portal puts the Request object: the caller's unique name without its ':' and with
// '.' as '_', then the token.
QString requestPathFor(const QString &uniqueName, const QString &token)
{
    QString sender = uniqueName.startsWith(QLatin1Char(':')) ? uniqueName.mid(1) : uniqueName;
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return portalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

} // namespace

ScreenshotPortal::ScreenshotPortal(const QDBusConnection &bus, QObject *parent)
    : QObject(parent), m_bus(bus)
{
}

void ScreenshotPortal::capture(const QString &parentWindow)
{
    if (isCapturing())
        return;
    m_capturing = true;
    if (!m_bus.isConnected()) {
        qCDebug(lcDesktop) << "screenshot portal: no session bus";
        // Still asynchronous, as the callers expect.
        QTimer::singleShot(0, this, [this] { finish(Outcome::Unavailable); });
        return;
    }

    // A token unique to this request; only letters, digits and '_' are valid in a path.
    const QString token = QStringLiteral("slatebook_") + QUuid::createUuid().toString(QUuid::Id128);
    listenAt(requestPathFor(m_bus.baseService(), token));

    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService, portalPath, screenshotInterface, QStringLiteral("Screenshot"));
    const QVariantMap options{
        {QStringLiteral("handle_token"), token},
        {QStringLiteral("interactive"), true},
        {QStringLiteral("modal"), true},
    };
    call << parentWindow << options;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(
        watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *done) {
            done->deleteLater();
            const QDBusPendingReply<QDBusObjectPath> reply = *done;
            if (!isCapturing())
                return; // the Response came before the reply
            if (reply.isError()) {
                qCDebug(lcDesktop) << "screenshot portal did not answer:" << reply.error().name()
                                   << reply.error().message();
                finish(Outcome::Unavailable);
                return;
            }
            // Portals older than the handle_token option put the Request somewhere else.
            const QString handle = reply.value().path();
            if (handle != m_requestPath)
                listenAt(handle);
        });
}

void ScreenshotPortal::listenAt(const QString &requestPath)
{
    if (!m_requestPath.isEmpty())
        m_bus.disconnect(portalService, m_requestPath, requestInterface, QStringLiteral("Response"),
                         this, SLOT(onResponse(uint, QVariantMap)));
    m_requestPath = requestPath;
    m_bus.connect(portalService, m_requestPath, requestInterface, QStringLiteral("Response"), this,
                  SLOT(onResponse(uint, QVariantMap)));
}

void ScreenshotPortal::onResponse(uint response, const QVariantMap &results)
{
    if (!isCapturing())
        return;
    if (response == responseCancelled) {
        finish(Outcome::Cancelled);
        return;
    }
    const QUrl uri(results.value(QStringLiteral("uri")).toString());
    if (response != responseSuccess || !uri.isLocalFile()) {
        qCDebug(lcDesktop) << "screenshot portal answered" << response << "with" << uri;
        finish(Outcome::Failed);
        return;
    }
    finish(Outcome::Captured, uri.toLocalFile());
}

void ScreenshotPortal::finish(Outcome outcome, const QString &file)
{
    if (!m_requestPath.isEmpty())
        m_bus.disconnect(portalService, m_requestPath, requestInterface, QStringLiteral("Response"),
                         this, SLOT(onResponse(uint, QVariantMap)));
    m_requestPath.clear();
    m_capturing = false;
    emit finished(outcome, file);
}
