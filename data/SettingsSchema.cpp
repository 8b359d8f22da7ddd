#include "data/SettingsSchema.h"

namespace SettingsSchema {

const QList<SettingSpec> &all()
{
    using S = Setting;
    static const QList<SettingSpec> table = {
        {S::ListNameTemplate, QStringLiteral("tpl"), QMetaType::QString,
         QStringLiteral("{M}.{D}作业")},
        {S::DueEnabled, QStringLiteral("dueOn"), QMetaType::Bool, true},
        {S::DueHour, QStringLiteral("dueH"), QMetaType::Int, 23},
        {S::DueMinute, QStringLiteral("dueM"), QMetaType::Int, 59},
        // Reminders writes skip the entries the list already has.
        {S::Dedupe, QStringLiteral("dedupe"), QMetaType::Bool, true},
        {S::SubjectsText, QStringLiteral("subjects"), QMetaType::QString,
         QStringLiteral(
             "语文,数学,英语,物理,化学,生物,历史,地理,政治,道法,科学,社会,信息,体育,美术,音乐")},
        {S::OcrLangText, QStringLiteral("ocrLang"), QMetaType::QString,
         QStringLiteral("zh-Hans,en-US")},
        {S::SaveHistory, QStringLiteral("hist"), QMetaType::Bool, true},
        {S::OpenAfterWrite, QStringLiteral("openAfter"), QMetaType::Bool, false},
        // "folder" or "evolution"; AppSettings reads the other ways of naming them.
        {S::ReminderStore, QStringLiteral("reminderStore"), QMetaType::QString,
         QStringLiteral("folder")},
        // Due notifications: whether they are scheduled, and how many seconds before the due
        // time they fire.
        {S::NotifyOn, QStringLiteral("notifyOn"), QMetaType::Bool, true},
        {S::NotifyLead, QStringLiteral("notifyLead"), QMetaType::Double, 0.0},
        // The sidebar section the window opens at; read, never written, by the window.
        {S::StartSection, QStringLiteral("startSection"), QMetaType::QString, QVariant()},
    };
    return table;
}

const SettingSpec &spec(Setting setting)
{
    return all()[qsizetype(setting)];
}

const SettingSpec *find(const QString &key)
{
    for (const SettingSpec &row : all()) {
        if (row.key == key)
            return &row;
    }
    return nullptr;
}

} // namespace SettingsSchema
