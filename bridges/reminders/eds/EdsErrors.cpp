#include "bridges/reminders/eds/EdsErrors.h"

namespace EdsErrors {

ReminderError fromGError(const GError *error)
{
    return {QString::fromUtf8(g_quark_to_string(error->domain)), error->code,
            QStringLiteral("桌面任务服务拒绝了更改：") + QString::fromUtf8(error->message)};
}

ReminderError reminderChanged(const QString &id)
{
    return {QStringLiteral("DesktopTasks"), 1,
            QStringLiteral("提醒事项已被其他程序删除或改动：%1").arg(id)};
}

} // namespace EdsErrors
