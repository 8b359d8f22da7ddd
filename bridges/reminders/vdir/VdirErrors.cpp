#include "bridges/reminders/vdir/VdirErrors.h"

namespace VdirErrors {

ReminderError cannotWrite(const QString &path)
{
    return {domain, 1, QStringLiteral("无法写入提醒事项文件夹：%1").arg(path)};
}

ReminderError cannotRemove(const QString &path, const QString &reason)
{
    return {domain, 2, QStringLiteral("无法删除：%1（%2）").arg(path, reason)};
}

ReminderError listMissing(const QString &folder)
{
    return {domain, 3, QStringLiteral("提醒事项清单的文件夹已不存在：%1").arg(folder)};
}

ReminderError reminderChanged(const QString &file)
{
    return {domain, 4, QStringLiteral("提醒事项已被其他程序删除或改动：%1").arg(file)};
}

ReminderError unreadableParts(const QString &file)
{
    return {domain, 5,
            QStringLiteral("提醒事项文件含有无法读取的内容，为免丢失未作修改：%1").arg(file)};
}

ReminderError dueOutOfRange(const QString &file)
{
    return {
        domain, 6,
        QStringLiteral("截止时间超出可保存的范围（公元 1 至 9999 年），未作修改：%1").arg(file)};
}

} // namespace VdirErrors
