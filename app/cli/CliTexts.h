#pragma once

#include <QString>

// Result texts that more than one command-line action gives.
namespace CliTexts {

inline QString noItems()
{
    return QStringLiteral("ERROR: items 为空");
}

inline QString dueOutOfRange(const QString &due)
{
    return QStringLiteral("ERROR: 截止时间「%1」超出可保存的范围（公元 1 年至 9999 年）").arg(due);
}

// A result that does not come within the deadline is an error like any other.
inline QString timedOut(qint64 seconds)
{
    return QStringLiteral("ERROR: 超时：%1 秒内未完成").arg(seconds);
}

inline QString unknownAction(const QString &action)
{
    return QStringLiteral("ERROR: 未知 action「%1」").arg(action);
}

} // namespace CliTexts
