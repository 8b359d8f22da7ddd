#include "bridges/reminders/ReminderError.h"

namespace SlateError {

ReminderError noAccess(const QString &reason)
{
    return {domain, NoAccess, QStringLiteral("未获得提醒事项访问权限：") + reason};
}

ReminderError noAccount()
{
    return {domain, NoAccount, QStringLiteral("没有可用的提醒事项账户")};
}

} // namespace SlateError
