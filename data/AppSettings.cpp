#include "data/AppSettings.h"

#include "core/HorizontalSpace.h"
#include "data/DueTime.h"
#include "data/StoreLog.h"

namespace {

const QString evolutionValue = QStringLiteral("evolution");
const QString folderValue = QStringLiteral("folder");

// The store a stored text names: the value written here, the window's own wording for it, or
// its short form, in any letter case, with any blanks and either kind of brackets.
std::optional<AppSettings::ReminderStore> reminderStoreNamed(const QString &text)
{
    QString key = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
    key.removeIf([](QChar c) { return c.isSpace(); });
    using Store = AppSettings::ReminderStore;
    static const std::pair<QString, Store> names[] = {
        {evolutionValue, Store::Evolution},
        {QStringLiteral("桌面任务"), Store::Evolution},
        {QStringLiteral("桌面任务(evolution)"), Store::Evolution},
        {folderValue, Store::Folder},
        {QStringLiteral("本机文件夹"), Store::Folder},
    };
    for (const auto &[name, store] : names) {
        if (key == name)
            return store;
    }
    return std::nullopt;
}

// The store the stored text names; the folder, logged, for a text that names none.
AppSettings::ReminderStore reminderStoreIn(const DefaultsStore &store)
{
    const QString text = store.value(Setting::ReminderStore).toString();
    if (const std::optional<AppSettings::ReminderStore> named = reminderStoreNamed(text))
        return *named;
    qCDebug(lcStore) << "setting" << SettingsSchema::spec(Setting::ReminderStore).key << "holds"
                     << text << "which names no store; the folder applies";
    return AppSettings::ReminderStore::Folder;
}

using Published = void (AppSettings::*)();

// Where each setting's assignment is published.
Published changedSignal(Setting setting)
{
    switch (setting) {
    case Setting::ListNameTemplate:
        return &AppSettings::listNameTemplateChanged;
    case Setting::DueEnabled:
        return &AppSettings::dueEnabledChanged;
    case Setting::DueHour:
        return &AppSettings::dueHourChanged;
    case Setting::DueMinute:
        return &AppSettings::dueMinuteChanged;
    case Setting::Dedupe:
        return &AppSettings::dedupeChanged;
    case Setting::SubjectsText:
        return &AppSettings::subjectsTextChanged;
    case Setting::OcrLangText:
        return &AppSettings::ocrLangTextChanged;
    case Setting::SaveHistory:
        return &AppSettings::saveHistoryChanged;
    case Setting::OpenAfterWrite:
        return &AppSettings::openAfterWriteChanged;
    default:
        return &AppSettings::reminderStoreChanged;
    }
}

QStringList splitList(const QString &text)
{
    QStringList pieces;
    for (const QString &piece : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString trimmed = trimHorizontalSpace(piece);
        if (!trimmed.isEmpty())
            pieces.append(trimmed);
    }
    return pieces;
}

} // namespace

AppSettings::AppSettings(QObject *parent) : QObject(parent)
{
    for (int setting = 0; setting < ownSettings; ++setting)
        m_values[setting] = m_store.value(Setting(setting));
    // Kept as the name it is written as, whichever way the file names it.
    m_values[int(Setting::ReminderStore)] =
        reminderStoreIn(m_store) == ReminderStore::Evolution ? evolutionValue : folderValue;
    for (const QString &key : m_store.unknownKeys())
        qCDebug(lcStore) << "setting" << key << "is unknown; left alone";
}

void AppSettings::assign(Setting setting, const QVariant &value)
{
    m_values[int(setting)] = value;
    emit(this->*changedSignal(setting))();
    m_store.setValue(setting, value);
}

AppSettings::ReminderStore AppSettings::reminderStore() const
{
    return m_values[int(Setting::ReminderStore)] == evolutionValue ? ReminderStore::Evolution
                                                                   : ReminderStore::Folder;
}

void AppSettings::setReminderStore(ReminderStore value)
{
    assign(Setting::ReminderStore,
           value == ReminderStore::Evolution ? evolutionValue : folderValue);
}

void AppSettings::restoreDefaults()
{
    for (int setting = 0; setting < int(Setting::ReminderStore); ++setting)
        assign(Setting(setting), SettingsSchema::spec(Setting(setting)).fallback);
}

AppSettings::ReminderStore AppSettings::storedReminderStore()
{
    return reminderStoreIn(DefaultsStore());
}

std::optional<QString> AppSettings::unknownReminderStore()
{
    const QString text = DefaultsStore().value(Setting::ReminderStore).toString();
    if (!text.trimmed().isEmpty() && !reminderStoreNamed(text))
        return text;
    return std::nullopt;
}

QStringList AppSettings::subjects() const
{
    return splitList(subjectsText());
}

QStringList AppSettings::ocrLanguages() const
{
    return splitList(ocrLangText());
}

QString AppSettings::defaultListName(const QDateTime &date) const
{
    const QDate day = date.toLocalTime().date();
    QString name = listNameTemplate();
    name.replace(QStringLiteral("{YYYY}"), QString::number(day.year()));
    name.replace(QStringLiteral("{M}"), QString::number(day.month()));
    name.replace(QStringLiteral("{D}"), QString::number(day.day()));
    return name;
}

std::optional<QDateTime> AppSettings::defaultDue() const
{
    if (!dueEnabled())
        return std::nullopt;
    return localTimeOn(QDate::currentDate(), dueHour(), dueMinute());
}
