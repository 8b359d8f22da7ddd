#pragma once

#include "bridges/reminders/ReminderError.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

// What `RemindersService` needs from a Reminders store, and nothing more, so another backend can
// take the place of the first one without touching the bridge.

// An account that holds lists.
struct ReminderAccount {
    QString id;
    QString title;
};

struct ReminderList {
    QString id; // the store's own key for the list
    QString title;
    std::optional<ReminderAccount> account;
};

// A due date as the store keeps it: a calendar day, optionally a time of day, read either on the
// user's clock (floating) or in UTC.
struct DueComponents {
    QDate date;                // invalid when the stored components do not form a date
    std::optional<QTime> time; // absent: the day as a whole
    bool utc = false;

    bool operator==(const DueComponents &) const = default;
};

// The parts of a reminder that callers read and change.
struct ReminderFields {
    std::optional<QString> title;
    std::optional<DueComponents> due;
    bool completed = false;
    std::optional<QDateTime> completionDate;
    std::optional<QString> notes;

    bool operator==(const ReminderFields &) const = default;
};

struct ReminderItem {
    QString id; // the calendar-item identifier
    QString listId;
    ReminderFields fields;
    // The fields as the store last gave them; absent for a reminder that was never saved. Saving
    // changes only the fields that differ from these, so whatever another program changed in
    // the meantime, and everything the fields do not cover, stays as it is.
    std::optional<ReminderFields> stored;
    QString location; // where the store keeps it; meaningful to the store only
};

// Changes staged for one commit: nothing reaches the store before `commit`, and a batch dropped
// without a commit leaves no trace.
class ReminderBatch {
public:
    virtual ~ReminderBatch() = default;

    virtual std::optional<ReminderError> save(const ReminderItem &item) = 0;
    virtual std::optional<ReminderError> remove(const ReminderItem &item) = 0;
    // Makes every staged change durable at once; on failure none of them is.
    virtual std::optional<ReminderError> commit() = 0;
};

class ReminderStore {
public:
    virtual ~ReminderStore() = default;

    // Answers once, on a background thread.
    virtual void requestAccess(std::function<void(bool granted)> done) = 0;

    // Every list in the store's order; empty without access.
    virtual QList<ReminderList> lists() const = 0;
    virtual std::optional<ReminderList> defaultListForNewReminders() const = 0;
    // The accounts a list can be created in; empty without access.
    virtual QList<ReminderAccount> accounts() const = 0;
    // A new, empty list, saved and committed at once.
    virtual std::variant<ReminderList, ReminderError>
    createList(const QString &title, const ReminderAccount &account) = 0;
    virtual std::optional<ReminderError> removeList(const ReminderList &list) = 0;

    // Every reminder of the list, open and completed, delivered once on a background thread.
    virtual void fetchReminders(const ReminderList &list,
                                std::function<void(QList<ReminderItem>)> done) = 0;
    // The item with that identifier, when it exists and is a reminder.
    virtual std::optional<ReminderItem> item(const QString &id) const = 0;

    // A reminder of the list that exists only in memory until a batch saves it.
    virtual ReminderItem newReminder(const ReminderList &list) const = 0;
    virtual std::unique_ptr<ReminderBatch> batch() = 0;

    // Brings the store's reminders up in the desktop's own program.
    virtual void openInDesktop() const = 0;
    // The folder holding the reminders, for a store kept in plain files; nothing otherwise.
    virtual std::optional<QString> folder() const { return std::nullopt; }
    // What the user calls this store: "本机文件夹", "桌面任务 (Evolution)".
    virtual QString title() const = 0;
    // Why access is refused and what to check, for the error that follows "未获得提醒事项访问权限".
    virtual QString noAccessReason() const = 0;
    // Why the store cannot be reached at all right now (a service that is missing or does not
    // answer), in the same words; nothing when it can. Asks without creating or starting
    // anything; a store kept in plain files is always there.
    virtual std::optional<QString> unreachableReason() const { return std::nullopt; }

    // Saving or removing one reminder with an immediate commit.
    std::optional<ReminderError> saveAndCommit(const ReminderItem &item);
    std::optional<ReminderError> removeAndCommit(const ReminderItem &item);
};
