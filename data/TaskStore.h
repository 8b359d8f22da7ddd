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
// The window and command-line runs of the executable can hold the same file at once. So every
// changing operation takes the file's lock, first reloads the file when someone else replaced it
// since it was last read here (publishing that), then applies itself, saves and lets go; and
// while the store sits idle, a change on disk is reloaded as soon as the event loop notices it.
//
// Names (of lists, and titles when `add` looks for duplicates) match as whole texts, exactly and
// case-sensitively, with canonically equivalent Unicode texts counting as equal.
// The store never creates the data folder and never touches notifications.
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

    // Reads the file: missing, unreadable or undecodable gives no lists, silently.
    explicit TaskStore(const QString &dir, QObject *parent = nullptr);

    // In creation order. Changed only through the operations below, which keep the file in step.
    const QList<TaskList> &lists() const { return m_lists; }
    const QString &dir() const { return m_dir; }
    const QString &file() const { return m_file.path(); }

    // Reads the file again; on success replaces the lists, otherwise leaves them as they are.
    void load();
    // Writes the lists as they are in memory.
    void save();

    // `list(named:)`: a copy of the first list with that name.
    std::optional<TaskList> list(const QString &name) const;
    // `index(of:)`: position of the first list with that name.
    std::optional<qsizetype> index(const QString &name) const;
    // `ensureList(named:)`: position of the list, appended (and saved) when missing.
    qsizetype ensureList(const QString &name);

    // `add(titles:to:due:source:)`: finds or creates the list; appends every title (trimmed of
    // blanks) that is not empty and not already in the list, counting the rest as skipped; puts
    // the list in entry order (even when nothing was added); saves.
    AddResult add(const QStringList &titles, const QString &listName,
                  const std::optional<QDateTime> &due = std::nullopt,
                  const std::optional<QString> &source = std::nullopt);
    // `addTask(_:due:to:)`: `add` of one title without a source.
    void addTask(const QString &title, const std::optional<QDateTime> &due, const QString &listName);

    // `toggle(_:in:)`: flips done of the first entry with that id, stamping or clearing
    // completedAt. Nothing happens, and nothing is saved, when the list or the entry is missing.
    void toggle(const QUuid &taskId, const QString &listName);
    // `update(_:in:)`: replaces the first entry with the same id, all fields.
    void update(const TaskItem &task, const QString &listName);
    // `delete(taskID:in:)`: removes every entry with that id; saves even when none matched.
    void deleteTask(const QUuid &taskId, const QString &listName);
    // Removes every entry whose title is one of `titles` (no trimming), keeping the order of the
    // rest, and saves. The number removed, or nothing when there is no such list.
    std::optional<int> deleteTitles(const QStringList &titles, const QString &listName);
    // `clearCompleted(in:)`: removes the done entries; how many. 0, without saving, for no list.
    int clearCompleted(const QString &listName);
    // `rename(_:to:)`: renames the first list called oldName; the new name is taken as given.
    void rename(const QString &oldName, const QString &newName);
    // `deleteList(_:)`: removes every list with that name; saves even when none matched.
    void deleteList(const QString &name);

    // `allPending()`: open entries due strictly after now, lists and entries in order.
    QList<PendingTask> allPending() const;
    // `todayPending`: open entries, over all lists, without a due time or due today (local date).
    int todayPending() const;

signals:
    void listsChanged();

private:
    // Replaces the lists by the file's when it reads; true when it did.
    bool reloadQuietly(StoreFile::Read mode);
    void reload(StoreFile::Read mode);
    void write();
    // Runs one changing operation under the file's lock on freshly reloaded lists. The operation
    // returns whether it changed anything to save.
    template <typename Operation>
    auto change(Operation operation);
    qsizetype ensureListInMemory(const QString &name);

    QString m_dir;
    StoreFile m_file;
    QList<TaskList> m_lists;
};
