#pragma once

#include <QString>

// Result texts that more than one command-line action gives.
namespace CliTexts {

inline QString noItems()
{
    return QStringLiteral("ERROR: items 为空");
}

inline QString unknownAction(const QString &action)
{
    return QStringLiteral("ERROR: 未知 action「%1」").arg(action);
}

} // namespace CliTexts
