// GLib's headers before Qt's: gio names a struct member `signals`, which Qt defines as a macro.
#include <libecal/libecal.h>

#include "bridges/reminders/eds/EdsErrors.h"

#include "bridges/reminders/RemindersLog.h"
#include "bridges/reminders/eds/EdsSession.h"

namespace {

const QString domain = QStringLiteral("DesktopTasks");

QString service()
{
    return QStringLiteral("桌面任务服务（Evolution Data Server）");
}

} // namespace

namespace EdsErrors {

bool serviceGone(const GError *error)
{
    return g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_NO_REPLY) ||
        g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_SERVICE_UNKNOWN) ||
        g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_NAME_HAS_NO_OWNER) ||
        g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_DISCONNECTED) ||
        g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CLOSED);
}

bool serviceFailed(const GError *error)
{
    return g_error_matches(error, G_IO_ERROR, G_IO_ERROR_TIMED_OUT) || serviceGone(error);
}

ReminderError fromGError(const GError *error)
{
    if (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_TIMED_OUT)) {
        qCDebug(lcReminders) << "the desktop's task service did not answer:" << error->message;
        return {domain, 2, noAnswer()};
    }
    if (serviceGone(error)) {
        qCDebug(lcReminders) << "the desktop's task service stopped:"
                             << g_quark_to_string(error->domain) << error->code << error->message;
        return {domain, 3,
                service() + QStringLiteral("在处理更改时停止了运行，这一批更改都没有保留")};
    }
    return {QString::fromUtf8(g_quark_to_string(error->domain)), error->code,
            QStringLiteral("桌面任务服务拒绝了更改：") + QString::fromUtf8(error->message)};
}

ReminderError reminderChanged(const QString &id)
{
    return {domain, 1, QStringLiteral("提醒事项已被其他程序删除或改动：%1").arg(id)};
}

QString noSchema(const QString &schema)
{
    return service() + QStringLiteral("不可用：GSettings 找不到它的设置架构 ") + schema +
        QStringLiteral(
               "。请安装 evolution-data-server，并检查 XDG_DATA_DIRS 和 GSETTINGS_SCHEMA_DIR");
}

QString noSessionBus()
{
    return service() +
        QStringLiteral("不可用：找不到 D-Bus 会话总线。请在桌面会话中运行 Slatebook");
}

QString notOnTheBus()
{
    return service() +
        QStringLiteral("不可用：会话总线上没有这项服务，也无法启动它。请安装 "
                       "evolution-data-server，或在设置中改用本机文件夹");
}

QString noAnswer()
{
    return service() +
        QStringLiteral("没有响应：%1 秒内没有回答，已放弃。请稍后再试")
            .arg(EdsSession::callLimit.count());
}

QString unreachable()
{
    return service() +
        QStringLiteral(
               "没有响应：请确认已安装 evolution-data-server，并在桌面会话中运行 Slatebook");
}

} // namespace EdsErrors
