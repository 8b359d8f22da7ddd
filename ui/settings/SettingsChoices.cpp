#include "ui/settings/SettingsChoices.h"

#include "data/AppSettings.h"

#include <algorithm>

namespace {

QList<int> withStored(QList<int> choices, int stored)
{
    if (!choices.contains(stored))
        choices.insert(std::lower_bound(choices.begin(), choices.end(), stored), stored);
    return choices;
}

} // namespace

namespace SettingsChoices {

QList<Lead> leads()
{
    return {
        {QStringLiteral("到期时"), 0},
        {QStringLiteral("提前 30 分钟"), 1800},
        {QStringLiteral("提前 1 小时"), 3600},
        {QStringLiteral("提前 3 小时"), 10800},
        {QStringLiteral("提前 1 天"), 86400},
    };
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

void restoreDefaults(AppSettings &settings)
{
    using Defaults = AppSettings::Defaults;
    settings.setListNameTemplate(Defaults::listNameTemplate());
    settings.setDueEnabled(Defaults::dueEnabled);
    settings.setDueHour(Defaults::dueHour);
    settings.setDueMinute(Defaults::dueMinute);
    settings.setDedupe(Defaults::dedupe);
    settings.setSaveHistory(Defaults::saveHistory);
    settings.setOpenAfterWrite(Defaults::openAfterWrite);
    settings.setOcrLangText(Defaults::ocrLangText());
    settings.setSubjectsText(Defaults::subjectsText());
}

} // namespace SettingsChoices
