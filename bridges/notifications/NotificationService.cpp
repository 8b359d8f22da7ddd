#include "bridges/notifications/NotificationService.h"

#include "bridges/notifications/DesktopNotificationCenter.h"
#include "bridges/notifications/NotificationRequests.h"
#include "bridges/notifications/NotifyLog.h"
#include "data/DefaultsStore.h"
#include "data/SharedDefaults.h"

#include <QCoreApplication>
#include <QPointer>
#include <algorithm>
#include <cmath>

namespace {

// A lead beyond this (about 30,000 years) is no lead anyone set; capping it keeps the
// conversion to milliseconds defined.
constexpr double longestLeadSeconds = 1e12;

// The center answers on its own threads; the main thread's event loop takes it from there.
void onMainThread(std::function<void()> work)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

QString statusTextFor(AuthorizationStatus status)
{
    switch (status) {
    case AuthorizationStatus::NotDetermined:
        return QStringLiteral("尚未申请（点右侧按钮申请）");
    case AuthorizationStatus::Denied:
        return QStringLiteral("已被系统拒绝，需到设置里开启");
    case AuthorizationStatus::Authorized:
        return QStringLiteral("已允许");
    default:
        return QStringLiteral("未知");
    }
}

} // namespace

NotificationService &NotificationService::instance()
{
    static NotificationService service(DesktopNotificationCenter::forThisUser(),
                                       WallClock::system());
    return service;
}

NotificationService::NotificationService(NotificationCenter &center, const WallClock &clock,
                                         QObject *parent)
    : QObject(parent), m_center(center), m_clock(clock), m_statusText(QStringLiteral("未检查"))
{
    m_center.setDelegate(this);
    refreshStatus();
}

NotificationService::~NotificationService()
{
    m_center.setDelegate(nullptr);
}

bool NotificationService::enabled() const
{
    return SharedDefaults::notifyOn();
}

void NotificationService::setEnabled(bool enabled)
{
    const bool before = this->enabled();
    DefaultsStore().setValue(Setting::NotifyOn, enabled);
    if (before != enabled)
        emit enabledChanged();
}

double NotificationService::leadSeconds() const
{
    return SharedDefaults::notifyLead();
}

void NotificationService::setLeadSeconds(double seconds)
{
    const double before = leadSeconds();
    DefaultsStore().setValue(Setting::NotifyLead, seconds);
    if (before != seconds)
        emit leadSecondsChanged();
}

void NotificationService::refreshStatus()
{
    m_center.getAuthorizationStatus([service = QPointer(this)](AuthorizationStatus status) {
        onMainThread([service, status] {
            if (service)
                service->setStatusText(statusTextFor(status));
        });
    });
}

void NotificationService::request(std::function<void(bool)> done)
{
    m_center.requestAuthorization([service = QPointer(this), done = std::move(done)](bool granted) {
        onMainThread([service, done, granted] {
            if (service)
                service->refreshStatus();
            if (done)
                done(granted);
        });
    });
}

void NotificationService::schedule(const QUuid &id, const QString &title, const QString &listName,
                                   const QDateTime &due)
{
    if (!enabled())
        return;
    const double lead = leadSeconds();
    const double cappedLead = std::clamp(lead, -longestLeadSeconds, longestLeadSeconds);
    const QDateTime fireTime = due.addMSecs(-std::llround(cappedLead * 1000));
    if (!(fireTime > m_clock.now())) {
        qCDebug(lcNotify) << "no notification for" << id << "- its time has passed:" << fireTime;
        return;
    }
    m_center.add(NotificationRequests::due(id, title, listName, fireTime, lead));
}

void NotificationService::cancel(const QUuid &id)
{
    m_center.removePending({NotificationRequests::dueIdentifier(id)});
}

void NotificationService::cancelAll()
{
    m_center.removeAllPending();
}

void NotificationService::reschedule(const QList<TaskStore::PendingTask> &entries)
{
    const bool on = enabled();
    m_center.removeAllPending();
    if (!on)
        return;
    for (const TaskStore::PendingTask &entry : entries)
        schedule(entry.id, entry.title, entry.listName, entry.due);
}

void NotificationService::sendTest()
{
    NotificationCenter &center = m_center;
    m_center.requestAuthorization([&center](bool granted) {
        if (granted)
            center.add(NotificationRequests::test());
        else
            qCDebug(lcNotify) << "test notification not sent: notifications are not allowed";
    });
}

void NotificationService::pendingCount(std::function<void(int)> done)
{
    m_center.getPending([done = std::move(done)](const QList<NotificationRequest> &requests) {
        onMainThread([done, requests] {
            done(int(std::count_if(requests.begin(), requests.end(),
                                   [](const NotificationRequest &request) {
                                       return NotificationRequests::isDue(request.identifier);
                                   })));
        });
    });
}

Presentation NotificationService::willPresent(const NotificationRequest &)
{
    return Presentation{.banner = true, .sound = true};
}

void NotificationService::setStatusText(const QString &text)
{
    if (m_statusText == text)
        return;
    m_statusText = text;
    emit statusTextChanged();
}
