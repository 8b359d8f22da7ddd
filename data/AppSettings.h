#pragma once

#include "data/DefaultsStore.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <optional>

// The user's preferences: the first ten rows of SettingsSchema, which gives each its key, type
// and default. The reminder store is kept as "folder" or "evolution", and read in any letter
// case and as the window words them (本机文件夹, 桌面任务 (Evolution)); any other text reads as
// "folder" and is logged. The same store holds three keys that other parts own; SharedDefaults
// reads them.
//
// Every key is read once at creation; a missing key, or one holding a value of another type,
// gives the default (logged), and creation writes nothing. Assigning a property publishes the
// change and then writes that key at once. Only the window creates an AppSettings; command-line
// mode reads no settings. Values are not range-checked: an hour of 25 is used as it is.
class AppSettings : public QObject {
    Q_OBJECT

public:
    // Where the 提醒事项 are kept: the iCalendar folder, or the desktop's task lists in
    // Evolution Data Server.
    enum class ReminderStore { Folder, Evolution };

    explicit AppSettings(QObject *parent = nullptr);

    QString listNameTemplate() const { return m_values[int(Setting::ListNameTemplate)].toString(); }
    bool dueEnabled() const { return m_values[int(Setting::DueEnabled)].toBool(); }
    int dueHour() const { return m_values[int(Setting::DueHour)].toInt(); }
    int dueMinute() const { return m_values[int(Setting::DueMinute)].toInt(); }
    bool dedupe() const { return m_values[int(Setting::Dedupe)].toBool(); }
    QString subjectsText() const { return m_values[int(Setting::SubjectsText)].toString(); }
    QString ocrLangText() const { return m_values[int(Setting::OcrLangText)].toString(); }
    bool saveHistory() const { return m_values[int(Setting::SaveHistory)].toBool(); }
    bool openAfterWrite() const { return m_values[int(Setting::OpenAfterWrite)].toBool(); }
    ReminderStore reminderStore() const;

    void setListNameTemplate(const QString &value) { assign(Setting::ListNameTemplate, value); }
    void setDueEnabled(bool value) { assign(Setting::DueEnabled, value); }
    void setDueHour(int value) { assign(Setting::DueHour, value); }
    void setDueMinute(int value) { assign(Setting::DueMinute, value); }
    void setDedupe(bool value) { assign(Setting::Dedupe, value); }
    void setSubjectsText(const QString &value) { assign(Setting::SubjectsText, value); }
    void setOcrLangText(const QString &value) { assign(Setting::OcrLangText, value); }
    void setSaveHistory(bool value) { assign(Setting::SaveHistory, value); }
    void setOpenAfterWrite(bool value) { assign(Setting::OpenAfterWrite, value); }
    void setReminderStore(ReminderStore value);

    // Every setting but the reminder store back to its default, each published and written as an
    // assignment is. The store stays: switching it would hide every reminder written so far.
    void restoreDefaults();

    // The stored choice, read without an AppSettings: command-line mode creates none but writes
    // to the same store as the window.
    static ReminderStore storedReminderStore();
    // The stored text when it names no store (and so reads as the folder); nothing when it names
    // one, or is missing or blank.
    static std::optional<QString> unknownReminderStore();

    // The parser's subject vocabulary and the recognition languages, from their texts by the
    // list-splitting rule: split at ASCII commas only (not "，"), trim each piece of blanks
    // (not line breaks), drop empty pieces, keep order and duplicates.
    QStringList subjects() const;
    QStringList ocrLanguages() const;

    // The name of a new list made on `date`: the template with "{YYYY}", then "{M}", then "{D}"
    // replaced by the local year, month and day of `date`, without leading zeros. Other text is
    // kept as is.
    QString defaultListName(const QDateTime &date = QDateTime::currentDateTime()) const;

    // Today at dueHour:dueMinute on the local clock (even when that has passed),
    // or nothing when dueEnabled is off.
    std::optional<QDateTime> defaultDue() const;

signals:
    void listNameTemplateChanged();
    void dueEnabledChanged();
    void dueHourChanged();
    void dueMinuteChanged();
    void dedupeChanged();
    void subjectsTextChanged();
    void ocrLangTextChanged();
    void saveHistoryChanged();
    void openAfterWriteChanged();
    void reminderStoreChanged();

private:
    static constexpr int ownSettings = int(Setting::ReminderStore) + 1;

    void assign(Setting setting, const QVariant &value);

    DefaultsStore m_store;
    std::array<QVariant, ownSettings> m_values; // by Setting
};
