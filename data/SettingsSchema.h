#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariant>

// Every setting the defaults store keeps (DefaultsStore), in one table: the key as the file
// spells it, the type its value is read as, and the value that stands when the key is missing or
// holds anything else. The only place a key is spelled.
enum class Setting {
    // AppSettings' own, up to and including ReminderStore.
    ListNameTemplate,
    DueEnabled,
    DueHour,
    DueMinute,
    Dedupe,
    SubjectsText,
    OcrLangText,
    SaveHistory,
    OpenAfterWrite,
    ReminderStore,
    // Read by SharedDefaults.
    NotifyOn,
    NotifyLead,
    StartSection,
};

struct SettingSpec {
    Setting setting;
    QString key;
    QMetaType::Type type; // QString, Bool, Int or Double
    QVariant fallback;    // invalid: nothing stands, the caller decides
};

namespace SettingsSchema {

// Every row, in the order of `Setting`.
const QList<SettingSpec> &all();
const SettingSpec &spec(Setting setting);
// The row of a key as the file spells it; nothing for a key no setting has.
const SettingSpec *find(const QString &key);

} // namespace SettingsSchema
