#include "data/AppSettings.h"

#include "data/DueTime.h"
#include "data/HorizontalSpace.h"

namespace {

const QString listNameTemplateKey = QStringLiteral("tpl");
const QString dueEnabledKey = QStringLiteral("dueOn");
const QString dueHourKey = QStringLiteral("dueH");
const QString dueMinuteKey = QStringLiteral("dueM");
const QString dedupeKey = QStringLiteral("dedupe");
const QString subjectsTextKey = QStringLiteral("subjects");
const QString ocrLangTextKey = QStringLiteral("ocrLang");
const QString saveHistoryKey = QStringLiteral("hist");
const QString openAfterWriteKey = QStringLiteral("openAfter");
const QString reminderStoreKey = QStringLiteral("reminderStore");
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

AppSettings::ReminderStore reminderStoreIn(const DefaultsStore &store)
{
    const std::optional<QString> text = store.text(reminderStoreKey);
    const std::optional<AppSettings::ReminderStore> named =
        text ? reminderStoreNamed(*text) : std::nullopt;
    return named.value_or(AppSettings::Defaults::reminderStore);
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

AppSettings::AppSettings(QObject *parent)
    : QObject(parent),
      m_listNameTemplate(d.text(listNameTemplateKey).value_or(Defaults::listNameTemplate())),
      m_dueEnabled(d.boolean(dueEnabledKey).value_or(Defaults::dueEnabled)),
      m_dueHour(d.integer(dueHourKey).value_or(Defaults::dueHour)),
      m_dueMinute(d.integer(dueMinuteKey).value_or(Defaults::dueMinute)),
      m_dedupe(d.boolean(dedupeKey).value_or(Defaults::dedupe)),
      m_subjectsText(d.text(subjectsTextKey).value_or(Defaults::subjectsText())),
      m_ocrLangText(d.text(ocrLangTextKey).value_or(Defaults::ocrLangText())),
      m_saveHistory(d.boolean(saveHistoryKey).value_or(Defaults::saveHistory)),
      m_openAfterWrite(d.boolean(openAfterWriteKey).value_or(Defaults::openAfterWrite)),
      m_reminderStore(reminderStoreIn(d))
{
}

void AppSettings::setListNameTemplate(const QString &value)
{
    m_listNameTemplate = value;
    emit listNameTemplateChanged();
    d.setText(listNameTemplateKey, value);
}

void AppSettings::setDueEnabled(bool value)
{
    m_dueEnabled = value;
    emit dueEnabledChanged();
    d.setBoolean(dueEnabledKey, value);
}

void AppSettings::setDueHour(int value)
{
    m_dueHour = value;
    emit dueHourChanged();
    d.setInteger(dueHourKey, value);
}

void AppSettings::setDueMinute(int value)
{
    m_dueMinute = value;
    emit dueMinuteChanged();
    d.setInteger(dueMinuteKey, value);
}

void AppSettings::setDedupe(bool value)
{
    m_dedupe = value;
    emit dedupeChanged();
    d.setBoolean(dedupeKey, value);
}

void AppSettings::setSubjectsText(const QString &value)
{
    m_subjectsText = value;
    emit subjectsTextChanged();
    d.setText(subjectsTextKey, value);
}

void AppSettings::setOcrLangText(const QString &value)
{
    m_ocrLangText = value;
    emit ocrLangTextChanged();
    d.setText(ocrLangTextKey, value);
}

void AppSettings::setSaveHistory(bool value)
{
    m_saveHistory = value;
    emit saveHistoryChanged();
    d.setBoolean(saveHistoryKey, value);
}

void AppSettings::setOpenAfterWrite(bool value)
{
    m_openAfterWrite = value;
    emit openAfterWriteChanged();
    d.setBoolean(openAfterWriteKey, value);
}

void AppSettings::setReminderStore(ReminderStore value)
{
    m_reminderStore = value;
    emit reminderStoreChanged();
    d.setText(reminderStoreKey, value == ReminderStore::Evolution ? evolutionValue : folderValue);
}

AppSettings::ReminderStore AppSettings::storedReminderStore()
{
    return reminderStoreIn(DefaultsStore());
}

std::optional<QString> AppSettings::unknownReminderStore()
{
    const std::optional<QString> text = DefaultsStore().text(reminderStoreKey);
    if (text && !text->trimmed().isEmpty() && !reminderStoreNamed(*text))
        return text;
    return std::nullopt;
}

QStringList AppSettings::subjects() const
{
    return splitList(m_subjectsText);
}

QStringList AppSettings::ocrLanguages() const
{
    return splitList(m_ocrLangText);
}

QString AppSettings::defaultListName(const QDateTime &date) const
{
    const QDate day = date.toLocalTime().date();
    QString name = m_listNameTemplate;
    name.replace(QStringLiteral("{YYYY}"), QString::number(day.year()));
    name.replace(QStringLiteral("{M}"), QString::number(day.month()));
    name.replace(QStringLiteral("{D}"), QString::number(day.day()));
    return name;
}

std::optional<QDateTime> AppSettings::defaultDue() const
{
    if (!m_dueEnabled)
        return std::nullopt;
    return localTimeOn(QDate::currentDate(), m_dueHour, m_dueMinute);
}
