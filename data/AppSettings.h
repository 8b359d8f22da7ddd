#pragma once

#include "data/DefaultsStore.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

// The user's preferences, each under a short fixed key in the defaults store (DefaultsStore):
//
//   property          key          stored as  default
//   listNameTemplate  "tpl"        string     "{M}.{D}作业"
//   dueEnabled        "dueOn"      Boolean    true
//   dueHour           "dueH"       integer    23
//   dueMinute         "dueM"       integer    59
//   dedupe            "dedupe"     Boolean    true   (Reminders writes skip existing entries)
//   subjectsText      "subjects"   string     the sixteen subjects 语文 … 音乐, comma-separated
//   ocrLangText       "ocrLang"    string     "zh-Hans,en-US"
//   saveHistory       "hist"       Boolean    true
//   openAfterWrite    "openAfter"  Boolean    false
//   reminderStore     "reminderStore" string  "folder"  (or "evolution"; read in any letter case,
//                                                        and as the window words them, 本机文件夹
//                                                        and 桌面任务 (Evolution); any other text
//                                                        reads as "folder")
//
// The same store holds three keys that other parts own; SharedDefaults reads them.
//
// Every key is read once at creation; a missing key, or one holding a value of another type,
// gives the default, and creation writes nothing. Assigning a property publishes the change and
// then writes that key at once. Only the window creates an AppSettings; command-line mode reads
// no settings. Values are not range-checked: an hour of 25 is used as it is.
class AppSettings : public QObject {
    Q_OBJECT

public:
    // Where the 提醒事项 are kept: the iCalendar folder, or the desktop's task lists in
    // Evolution Data Server.
    enum class ReminderStore { Folder, Evolution };

    struct Defaults {
        static QString listNameTemplate() { return QStringLiteral("{M}.{D}作业"); }
        static constexpr bool dueEnabled = true;
        static constexpr int dueHour = 23;
        static constexpr int dueMinute = 59;
        static constexpr bool dedupe = true;
        static QString subjectsText()
        {
            return QStringLiteral(
                "语文,数学,英语,物理,化学,生物,历史,地理,政治,道法,科学,社会,信息,体育,美术,音乐");
        }
        static QString ocrLangText() { return QStringLiteral("zh-Hans,en-US"); }
        static constexpr bool saveHistory = true;
        static constexpr bool openAfterWrite = false;
        static constexpr ReminderStore reminderStore = ReminderStore::Folder;
    };

    explicit AppSettings(QObject *parent = nullptr);

    QString listNameTemplate() const { return m_listNameTemplate; }
    bool dueEnabled() const { return m_dueEnabled; }
    int dueHour() const { return m_dueHour; }
    int dueMinute() const { return m_dueMinute; }
    bool dedupe() const { return m_dedupe; }
    QString subjectsText() const { return m_subjectsText; }
    QString ocrLangText() const { return m_ocrLangText; }
    bool saveHistory() const { return m_saveHistory; }
    bool openAfterWrite() const { return m_openAfterWrite; }
    ReminderStore reminderStore() const { return m_reminderStore; }

    void setListNameTemplate(const QString &value);
    void setDueEnabled(bool value);
    void setDueHour(int value);
    void setDueMinute(int value);
    void setDedupe(bool value);
    void setSubjectsText(const QString &value);
    void setOcrLangText(const QString &value);
    void setSaveHistory(bool value);
    void setOpenAfterWrite(bool value);
    void setReminderStore(ReminderStore value);

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
    DefaultsStore d;
    QString m_listNameTemplate;
    bool m_dueEnabled;
    int m_dueHour;
    int m_dueMinute;
    bool m_dedupe;
    QString m_subjectsText;
    QString m_ocrLangText;
    bool m_saveHistory;
    bool m_openAfterWrite;
    ReminderStore m_reminderStore;
};
