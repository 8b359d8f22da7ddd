#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QLockFile>
#include <QObject>
#include <QScopeGuard>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

// The one file a store mirrors its whole state to, shared with every other process that runs a
// store on the same folder (the window and command-line runs of the executable), and the one
// protocol every store change follows: lock → reload if changed → apply → save → notify.
// - It remembers the bytes last read or written, so a change made elsewhere is reloaded before
//   anything is changed here.
// - A file that failed to load, or loaded only in part, is kept aside before the first write.
// - Every write replaces the file atomically; a write that fails is reported, never hidden.
// - It watches the folder and reloads a file replaced while the store sat idle.
// The store itself only says how its content is read and written (`Content`).
class StoreFile : public QObject {
    Q_OBJECT

public:
    enum class Read { Always, IfChanged };

    enum class Decoded {
        Whole,     // the content was replaced by the file's
        Partly,    // replaced, but some entries could not be read: the file is kept aside first
        Unreadable // the content stays as it was: the file is kept aside before it is written
    };

    struct Content {
        // Replaces the store's content by what the bytes hold.
        std::function<Decoded(const QByteArray &)> adopt;
        std::function<QByteArray()> encode;
    };

    // Creates the file's folder when missing (a failure shows at the first save).
    StoreFile(QString path, Content content, QObject *parent = nullptr);

    const QString &path() const { return m_path; }

    // Reads the file and, unless it holds what was last read or written here (IfChanged) or is
    // missing, adopts it. True when the content was replaced; emits nothing.
    bool reload(Read mode);

    // Runs one change under the lock on freshly reloaded content. `operation(bool &changed)` sets
    // `changed` when there is something to save; its result is returned. Saved while the lock is
    // held, then `contentChanged` (and `saveFailed` when the save failed) once the lock is let go,
    // so an observer that changes the store again does not wait on the lock.
    template <typename Operation>
    auto change(Operation operation);

    // Writes the content as it is in memory, under the lock. False when it was not saved.
    bool save();

    // Why the last save failed, in the user's language; nothing after a save that worked.
    const std::optional<QString> &saveError() const { return m_saveError; }

signals:
    // The content was replaced by a change here or by the file (reloaded while idle).
    void contentChanged();
    // A change was kept in memory but could not be written; `reason` is for the user.
    void saveFailed(const QString &reason);

private:
    bool write();
    // Held until destroyed. When the lock cannot be had (an unwritable folder, a process that
    // hangs holding it) the caller goes on without it rather than dropping the user's change.
    std::unique_ptr<QLockFile> lock() const;
    void watchFile();
    void reloadWhenIdle();

    QString m_path;
    Content m_content;
    std::optional<QByteArray> m_known; // bytes last read or written; nothing while missing
    bool m_keepAside = false;
    std::optional<QString> m_saveError;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};

template <typename Operation>
auto StoreFile::change(Operation operation)
{
    bool reloaded = false;
    bool changed = false;
    bool saved = true;
    // Guards end in reverse order: save, let go of the lock, then tell observers once.
    const auto publish = qScopeGuard([&] {
        if (reloaded || changed)
            emit contentChanged();
        if (!saved)
            emit saveFailed(*m_saveError);
    });
    const auto held = lock();
    reloaded = reload(Read::IfChanged);
    const auto save = qScopeGuard([&] {
        if (changed)
            saved = write();
    });
    return operation(changed);
}
