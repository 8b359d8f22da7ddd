#include "bridges/reminders/ReminderError.h"

namespace SlateError {

ReminderError noAccess()
{
    return {domain, 1, QStringLiteral("未获得提醒事项访问权限，请在 系统设置 → 隐私与安全性 → 提醒事项 中开启")};
}

ReminderError noAccount()
{
    return {domain, 2, QStringLiteral("没有可用的提醒事项账户")};
}

} // namespace SlateError
