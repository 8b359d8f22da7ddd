#include "ui/settings/SettingsChoices.h"

#include <algorithm>
#include <cmath>

namespace {

QList<int> withStored(QList<int> choices, int stored)
{
    if (!choices.contains(stored))
        choices.insert(std::lower_bound(choices.begin(), choices.end(), stored), stored);
    return choices;
}

// A lead in the words of the fixed choices: whole days, hours or minutes where it is one, else
// seconds; a negative lead (after the due time) says so.
QString leadLabel(double seconds)
{
    const QString direction = seconds < 0 ? QStringLiteral("延后") : QStringLiteral("提前");
    const double amount = std::abs(seconds);
    const auto in = [&](double unit) { return std::fmod(amount, unit) == 0; };
    const QString number = in(86400) ? QString::number(amount / 86400) + QStringLiteral(" 天")
        : in(3600)                   ? QString::number(amount / 3600) + QStringLiteral(" 小时")
        : in(60)                     ? QString::number(amount / 60) + QStringLiteral(" 分钟")
                                     : QString::number(amount) + QStringLiteral(" 秒");
    return direction + QLatin1Char(' ') + number;
}

} // namespace

namespace SettingsChoices {

QList<Lead> leads(double stored)
{
    QList<Lead> choices{
        {QStringLiteral("到期时"), 0},         {QStringLiteral("提前 30 分钟"), 1800},
        {QStringLiteral("提前 1 小时"), 3600}, {QStringLiteral("提前 3 小时"), 10800},
        {QStringLiteral("提前 1 天"), 86400},
    };
    const auto place = std::find_if(choices.begin(), choices.end(),
                                    [&](const Lead &lead) { return lead.seconds >= stored; });
    if (place == choices.end() || place->seconds != stored)
        choices.insert(place, {leadLabel(stored), stored});
    return choices;
}

QList<int> hours(int stored)
{
    QList<int> choices;
    for (int hour = 0; hour < 24; ++hour)
        choices.append(hour);
    return withStored(choices, stored);
}

QList<int> minutes(int stored)
{
    return withStored({0, 5, 10, 15, 20, 30, 45, 50, 55}, stored);
}

QString twoDigits(int value)
{
    return QString::asprintf("%02d", value);
}

} // namespace SettingsChoices
