#pragma once

#include "bridges/reminders/ReminderStore.h"

// Reminders kept as an iCalendar folder in the layout todoman, khal and vdirsyncer share
// ("vdir"): one sub-folder per list holding a `displayname` file with the list's title and one
// .ics file per reminder, a VCALENDAR with one VTODO. The root is the store's one account.
// Other programs read and write the same folders at any time, so nothing is cached: every
// operation looks at the files afresh, and every change is a whole file renamed into place.
// Access is granted when the root exists or can be created and is readable and writable; the
// lists show whenever it can be read, so a change in a folder that cannot be written fails with
// the system's reason instead of finding no list.
class VdirReminderStore : public ReminderStore {
public:
    explicit VdirReminderStore(QString root);

    // $XDG_DATA_HOME/Slatebook/Reminders, the same in window and command-line mode.
    static QString defaultRoot();

    void requestAccess(std::function<void(bool granted)> done) override;
    QList<ReminderList> lists() const override;
    std::optional<ReminderList> defaultListForNewReminders() const override;
    QList<ReminderAccount> accounts() const override;
    std::variant<ReminderList, ReminderError> createList(const QString &title,
                                                         const ReminderAccount &account) override;
    std::optional<ReminderError> removeList(const ReminderList &list) override;
    void fetchReminders(const ReminderList &list,
                        std::function<void(QList<ReminderItem>)> done) override;
    std::optional<ReminderItem> item(const QString &id) const override;
    ReminderItem newReminder(const ReminderList &list) const override;
    std::unique_ptr<ReminderBatch> batch() override;
    void openInDesktop() const override;
    std::optional<QString> folder() const override { return m_root; }
    QString title() const override { return storeTitle(); }
    static QString storeTitle();
    QString noAccessReason() const override;

private:
    ReminderAccount account() const;
    QString folderOf(const QString &listId) const;
    std::optional<ReminderList> listInFolder(const QString &folderName) const;

    QString m_root;
};
