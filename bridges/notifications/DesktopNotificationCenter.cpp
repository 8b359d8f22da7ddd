#include "bridges/notifications/DesktopNotificationCenter.h"

#include "bridges/notifications/NotifyLog.h"
#include "bridges/notifications/StateFolder.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QThreadPool>
#include <algorithm>

namespace {

constexpr std::chrono::minutes retryDelay(1);

bool applicationInFront()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) &&
        QGuiApplication::applicationState() == Qt::ApplicationActive;
}

} // namespace

DesktopNotificationCenter::DesktopNotificationCenter(const QString &stateFolder,
                                                     QDBusConnection bus, const WallClock &clock,
                                                     QObject *parent)
    : QObject(parent), m_file(std::make_shared<PendingRequestFile>(stateFolder)),
      m_bus(std::move(bus)), m_clock(clock), m_notifier(m_bus), m_timer(clock)
{
    connect(&m_timer, &WallClockTimer::reached, this, &DesktopNotificationCenter::showDue);
    // Requests missed while Slatebook was not running are shown once the event loop runs.
    QMetaObject::invokeMethod(this, &DesktopNotificationCenter::showDue, Qt::QueuedConnection);
}

DesktopNotificationCenter &DesktopNotificationCenter::forThisUser()
{
    static DesktopNotificationCenter center(StateFolder::path(), QDBusConnection::sessionBus(),
                                            WallClock::system());
    return center;
}

void DesktopNotificationCenter::setDelegate(NotificationCenterDelegate *delegate)
{
    m_delegate = delegate;
}

void DesktopNotificationCenter::getAuthorizationStatus(
    std::function<void(AuthorizationStatus)> answer)
{
    QThreadPool::globalInstance()->start([bus = m_bus, answer = std::move(answer)] {
        answer(FreedesktopNotifier::serverAnswers(bus) ? AuthorizationStatus::Authorized
                                                       : AuthorizationStatus::Unavailable);
    });
}

void DesktopNotificationCenter::requestAuthorization(std::function<void(bool)> answer)
{
    QThreadPool::globalInstance()->start([bus = m_bus, answer = std::move(answer)] {
        answer(FreedesktopNotifier::serverAnswers(bus));
    });
}

void DesktopNotificationCenter::add(const NotificationRequest &request)
{
    const PendingRequest pending{
        request, QDateTime::fromMSecsSinceEpoch(m_clock.now().toMSecsSinceEpoch(), Qt::UTC)};
    change([&](QList<PendingRequest> &requests) {
        const auto same =
            std::find_if(requests.begin(), requests.end(), [&](const PendingRequest &held) {
                return held.request.identifier == request.identifier;
            });
        if (same == requests.end())
            requests.append(pending);
        else
            *same = pending;
    });
}

void DesktopNotificationCenter::removePending(const QStringList &identifiers)
{
    change([&](QList<PendingRequest> &requests) {
        requests.removeIf([&](const PendingRequest &held) {
            return identifiers.contains(held.request.identifier);
        });
    });
}

void DesktopNotificationCenter::removeAllPending()
{
    change([](QList<PendingRequest> &requests) { requests.clear(); });
}

void DesktopNotificationCenter::getPending(std::function<void(QList<NotificationRequest>)> answer)
{
    QThreadPool::globalInstance()->start([file = m_file, answer = std::move(answer)] {
        QList<NotificationRequest> requests;
        for (const PendingRequest &pending : file->read())
            requests.append(pending.request);
        answer(requests);
    });
}

bool DesktopNotificationCenter::hasPending() const
{
    return !m_file->known().isEmpty();
}

void DesktopNotificationCenter::change(const std::function<void(QList<PendingRequest> &)> &edit)
{
    m_file->change(edit);
    // Directly on the main thread; from a background thread once the main thread gets to it.
    QMetaObject::invokeMethod(this, &DesktopNotificationCenter::afterChange);
}

void DesktopNotificationCenter::afterChange()
{
    const QList<PendingRequest> pending = m_file->known();
    m_retryAt.removeIf([&](const QHash<QString, QDateTime>::iterator retry) {
        return std::none_of(pending.begin(), pending.end(), [&](const PendingRequest &held) {
            return held.request.identifier == retry.key();
        });
    });
    aimTimer();
    emit pendingChanged();
}

void DesktopNotificationCenter::showDue()
{
    const QDateTime now = m_clock.now();
    for (const PendingRequest &pending : m_file->read()) {
        if (!m_beingShown.contains(pending.request.identifier) && dueAt(pending) <= now)
            show(pending);
    }
    aimTimer();
}

void DesktopNotificationCenter::show(const PendingRequest &pending)
{
    Presentation presentation;
    if (m_delegate && applicationInFront())
        presentation = m_delegate->willPresent(pending.request);
    if (!presentation.banner) {
        shown(pending, true);
        return;
    }
    m_beingShown.insert(pending.request.identifier);
    const FreedesktopNotifier::Notification notification{
        pending.request.title, pending.request.body,
        presentation.sound && pending.request.defaultSound};
    m_notifier.show(notification, [this, pending](bool taken) { shown(pending, taken); });
}

void DesktopNotificationCenter::shown(const PendingRequest &pending, bool taken)
{
    const QString &identifier = pending.request.identifier;
    m_beingShown.remove(identifier);
    if (!taken) {
        qCDebug(lcNotify) << "notification" << identifier << "not taken; trying again in a minute";
        m_retryAt.insert(identifier, m_clock.now().addDuration(retryDelay));
        aimTimer();
        return;
    }
    m_retryAt.remove(identifier);
    // Exactly this request: one added anew under the same identifier meanwhile stays pending.
    change([&](QList<PendingRequest> &requests) { requests.removeAll(pending); });
}

QDateTime DesktopNotificationCenter::dueAt(const PendingRequest &pending) const
{
    const QDateTime fireTime = pending.fireTime();
    const auto retry = m_retryAt.constFind(pending.request.identifier);
    return retry == m_retryAt.cend() ? fireTime : std::max(fireTime, *retry);
}

void DesktopNotificationCenter::aimTimer()
{
    std::optional<QDateTime> next;
    for (const PendingRequest &pending : m_file->known()) {
        if (m_beingShown.contains(pending.request.identifier))
            continue;
        const QDateTime due = dueAt(pending);
        if (!next || due < *next)
            next = due;
    }
    m_timer.setTarget(next);
}
