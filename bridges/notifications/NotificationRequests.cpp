#include "bridges/notifications/NotificationRequests.h"

namespace NotificationRequests {

namespace {

const QString duePrefix = QStringLiteral("slate-task-");

QString uuidText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

} // namespace

QString dueIdentifier(const QUuid &taskId)
{
    return duePrefix + uuidText(taskId);
}

bool isDue(const QString &identifier)
{
    return identifier.startsWith(duePrefix);
}

NotificationRequest due(const QUuid &taskId, const QString &title, const QString &listName,
                        const QDateTime &fireTime, double leadSeconds)
{
    const QDateTime local = fireTime.toLocalTime();
    NotificationRequest request;
    request.identifier = dueIdentifier(taskId);
    request.title =
        leadSeconds > 0 ? QStringLiteral("作业快到期了") : QStringLiteral("作业到期提醒");
    request.body = listName + QStringLiteral("：") + title;
    request.defaultSound = true;
    request.userInfo = {{QStringLiteral("taskID"), uuidText(taskId)},
                        {QStringLiteral("list"), listName}};
    request.trigger = CalendarTrigger{local.date().year(), local.date().month(), local.date().day(),
                                      local.time().hour(), local.time().minute()};
    return request;
}

NotificationRequest test()
{
    NotificationRequest request;
    request.identifier = QStringLiteral("slate-test-") + uuidText(QUuid::createUuid());
    request.title = QStringLiteral("Slatebook");
    request.body = QStringLiteral("通知已开启，到期时会像这样提醒你");
    request.defaultSound = true;
    request.trigger = IntervalTrigger{3};
    return request;
}

} // namespace NotificationRequests
