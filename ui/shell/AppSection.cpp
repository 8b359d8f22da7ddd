#include "ui/shell/AppSection.h"

namespace AppSections {

const QList<AppSection> &all()
{
    static const QList<AppSection> sections = {AppSection::Importer, AppSection::Lists,
                                               AppSection::History, AppSection::Settings,
                                               AppSection::About};
    return sections;
}

QString rawValue(AppSection section)
{
    switch (section) {
    case AppSection::Importer:
        return QStringLiteral("导入作业");
    case AppSection::Lists:
        return QStringLiteral("我的清单");
    case AppSection::History:
        return QStringLiteral("历史记录");
    case AppSection::Settings:
        return QStringLiteral("设置");
    case AppSection::About:
        return QStringLiteral("关于");
    }
    return {};
}

QString symbolName(AppSection section)
{
    switch (section) {
    case AppSection::Importer:
        return QStringLiteral("document-import-symbolic");
    case AppSection::Lists:
        return QStringLiteral("view-list-bullet-symbolic");
    case AppSection::History:
        return QStringLiteral("document-open-recent-symbolic");
    case AppSection::Settings:
        return QStringLiteral("preferences-system-symbolic");
    case AppSection::About:
        return QStringLiteral("help-about-symbolic");
    }
    return {};
}

std::optional<AppSection> fromRawValue(const QString &value)
{
    for (AppSection section : all()) {
        if (rawValue(section) == value)
            return section;
    }
    return std::nullopt;
}

AppSection startSection(const std::optional<QString> &stored)
{
    if (stored) {
        if (const auto section = fromRawValue(*stored))
            return *section;
    }
    return all().first();
}

} // namespace AppSections
