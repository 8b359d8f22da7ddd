#pragma once

#include "data/StoreFile.h"
#include "data/TaskItem.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <optional>

// The app's own to-do lists, mirrored whole to "tasks.json" in the data folder after every change.
//
// The window and command-line runs of the executable can hold the same file at once, so every
// changing operation follows StoreFile's protocol (lock, reload a file someone else replaced,
// apply, save, notify); while the store sits idle, a change on disk is reloaded as soon as the
// event loop notices it.
//
// Names (of lists, and titles when `add` looks for duplicates) match as whole texts, exactly and
// case-sensitively, with canonically equivalent Unicode texts counting as equal. List names and
// titles are stored as single lines (line breaks become spaces, blanks are trimmed).
// A change that cannot be saved stays in memory, `saveError()` says why and `saveFailed` is
// emitted; the next change tries to save it again. The store never touches notifications.
class TaskStore : public QObject {
    Q_OBJECT

public:
    struct AddResult {
        int added = 0;
        int skipped = 0;
    };

    // An open entry with a due time still ahead, for rebuilding the due notifications.
    struct PendingTask {
        QUuid id;
        QString title;
        QDateTime due;
        QString listName;
    };

    // Reads the file: missing, unreadable or undecodable gives no lists; entries that cannot be
    // read are left out and the file is kept aside before the next save.
    explicit TaskStore(const QString &dir, QObject *parent = nullptr);

    // In creation order. Changed only through the operations below, which keep the file in step.
    const QList<TaskList> &lists() const { return m_lists; }
    const QString &dir() const { return m_dir; }
    const QString &file() const { return m_file.path(); }

    // Why the last change could not be saved; nothing when it was.
    std::optional<QString> saveError() const { return m_file.saveError(); }

    // A copy of the first list with that name.
    std::optional<TaskList> list(const QString &name) const;
    // Position of the first list with that name.
    std::optional<qsizetype> index(const QString &name) const;
    // Position of the list, appended (and saved) when missing.
    qsizetype ensureList(const QString &name);

    // Finds or creates the list; appends every title that is not empty and not already in the
    // list, counting the rest as skipped; puts the list in entry order (even when nothing was
    // added); saves.
    AddResult add(const QStringList &titles, const QString &listName,
                  const std::optional<QDateTime> &due = std::nullopt,
                  const std::optional<QString> &source = std::nullopt);
    // `add` of one title without a source.
    void addTask(const QString &title, const std::optional<QDateTime> &due,
                 const QString &listName);

    // Flips done of the first entry with that id, stamping or clearing completedAt. Nothing
    // happens, and nothing is saved, when the list or the entry is missing.
    void toggle(const QUuid &taskId, const QString &listName);
    // Replaces the first entry with the same id, all fields (the title made a single line).
    void update(const TaskItem &task, const QString &listName);
    // Removes every entry with that id; saves even when none matched.
    void deleteTask(const QUuid &taskId, const QString &listName);
    // Removes every entry whose title is one of `titles` (no trimming), keeping the order of the
    // rest, and saves. The number removed, or nothing when there is no such list.
    std::optional<int> deleteTitles(const QStringList &titles, const QString &listName);
    // Removes the done entries; how many. 0, without saving, for no list.
    int clearCompleted(const QString &listName);
    // Renames the first list called oldName.
    void rename(const QString &oldName, const QString &newName);
    // Removes every list with that name; saves even when none matched.
    void deleteList(const QString &name);

    // Open entries due strictly after now, lists and entries in order.
    QList<PendingTask> allPending() const;
    // Open entries, over all lists, without a due time or due today (local date).
    int todayPending() const;

signals:
    void listsChanged();
    // A change is kept in memory but could not be written; `reason` is for the user.
    void saveFailed(const QString &reason);

private:
    StoreFile::Decoded adopt(const QByteArray &bytes);
    qsizetype ensureListInMemory(const QString &name);

    QString m_dir;
    QList<TaskList> m_lists;
    StoreFile m_file;
};
