#pragma once

#include "bridges/reminders/ReminderStore.h"
#include "bridges/reminders/eds/EdsSession.h"

// The desktop's own task lists, kept by Evolution Data Server and shown by Evolution, GNOME To
// Do (Endeavour) and other programs; online accounts (GNOME Online Accounts) sync them with
// CalDAV services such as Nextcloud. A list is a task-list source of EDS's registry (its title
// the display name, its account the parent source: "本机" for lists on this computer), the
// default list is EDS's default task list, and a reminder is a VTODO with the same properties
// the folder store writes. Lists made here are local task lists. Access is granted when the
// registry answers on the session bus; EdsSession says why it does not. Nothing is cached but
// the connections.
class EdsReminderStore : public ReminderStore {
public:
    EdsReminderStore();

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
    QString title() const override { return storeTitle(); }
    static QString storeTitle();
    QString noAccessReason() const override;
    std::optional<QString> unreachableReason() const override;

private:
    EdsSession &m_session;
};
