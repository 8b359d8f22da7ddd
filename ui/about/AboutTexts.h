#pragma once

#include <QList>
#include <QString>
#include <optional>

// Every text the About screen shows.
namespace AboutTexts {

struct Feature {
    QString symbol;
    QString title;
    QString text;
};

// What the application does, one row a feature.
QList<Feature> features();
// "版本 1.0", or "版本 —" for an application that states no version.
QString versionLine(const QString &version);
// What to check when writing reminders fails: the folder they are kept in, or the desktop's
// task store when they are not kept in a folder.
QString remindersHint(const std::optional<QString> &folder);
QString tagline();
// "提醒事项存储：本机文件夹"
QString reminderStore(const QString &storeTitle);
QString openDataFolder();
QString openRemindersFolder();

} // namespace AboutTexts
