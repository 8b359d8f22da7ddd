#pragma once

#include "bridges/reminders/ReminderError.h"
#include "bridges/reminders/ReminderRow.h"
#include "bridges/reminders/ReminderStore.h"
#include "core/SlateItem.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

// One entry to write: the title and, when there is one, the due time.
struct ReminderEntry {
    QString title;
    std::optional<QDateTime> due;
};

struct WriteCounts {
    int written = 0;
    int skipped = 0;
};
using WriteResult = std::variant<WriteCounts, ReminderError>;
// The number of reminders deleted, or why none could be.
using DeleteResult = std::variant<int, ReminderError>;

// The one way into the Reminders store: lists its lists, reads a list back as `ReminderRow`s,
// writes entries into a named list (creating it when missing, skipping titles it holds already)
// and deletes reminders by title. It keeps no cache: every call asks the store afresh.
// Completions of `requestAccess`, `rows`, `write`, `writeRaw` and `deleteTitles` run on the main
// thread, except that `rows` and `deleteTitles` answer at once on the calling thread when the list
// does not exist; `listNames`, `setCompleted`, `deleteReminder` and `deleteList` run entirely on
// the calling thread.
class RemindersService {
public:
    // Works on the store the settings choose (ReminderStores::chosen).
    RemindersService();
    explicit RemindersService(std::shared_ptr<ReminderStore> store);

    // From now on works on `store`; operations already started finish on the one they began on.
    void useStore(std::shared_ptr<ReminderStore> store);
    // What the user calls the store in use: "本机文件夹", "桌面任务 (Evolution)".
    QString storeTitle() const;

    void requestAccess(std::function<void(bool granted)> done) const;
    // Why the store cannot be reached right now, as the "未获得提醒事项访问权限" error, on the
    // calling thread: an empty list of lists or of reminders then means that, not an empty store.
    std::optional<ReminderError> unreachable() const;

    // The titles of all lists, duplicates kept, in code-point order; empty without access.
    QStringList listNames() const;

    void rows(const QString &inList, std::function<void(QList<ReminderRow>)> done) const;

    // Writes each item under its entry title, all with the same due time.
    void write(const QList<SlateItem> &items, const QString &listName,
               const std::optional<QDateTime> &due, bool dedupe,
               std::function<void(WriteResult)> done) const;

    // Trims each title of blanks and drops the empty ones; with `dedupe`, skips the titles the list
    // holds already, completed reminders included. Everything is committed at once, or nothing.
    void writeRaw(const QList<ReminderEntry> &entries, const QString &listName, bool dedupe,
                  std::function<void(WriteResult)> done) const;

    // Deletes every reminder of the list whose title is one of `titles` (exact, not trimmed), all
    // at once or, on failure, none. A store that cannot be reached is an error, not 0 deleted.
    void deleteTitles(const QStringList &titles, const QString &inList,
                      std::function<void(DeleteResult)> done) const;

    // Shows the reminders in the desktop's own program: the folder in the file browser, the
    // desktop's task lists in GNOME To Do or Evolution.
    void openRemindersApp() const;
    // The folder the reminders live in when the store keeps them in plain files (the iCalendar
    // folder); nothing for a store without one.
    std::optional<QString> folder() const;

    void setCompleted(const QString &id, bool completed,
                      const std::function<void(bool success)> &done) const;
    // `delete` of a single reminder.
    void deleteReminder(const QString &id, const std::function<void(bool success)> &done) const;
    void deleteList(const QString &listName, const std::function<void(bool success)> &done) const;

private:
    std::shared_ptr<ReminderStore> m_store;
};
