#pragma once

#include "data/FileLock.h"

#include <QByteArray>
#include <QMutex>
#include <QScopeGuard>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

// The one protocol every file the program keeps follows, shared with every other process and
// thread that keeps the same file: lock → reload if changed → apply → write atomically.
// - It remembers the bytes last read or written, so a change made elsewhere is reloaded before
//   anything is changed here.
// - A file that failed to load, or loaded only in part, is kept aside before the first write.
// - Every write replaces the file atomically; a write that fails is reported, never hidden. The
//   content stays in memory and the next change writes it again; a change another process
//   saved meanwhile wins, as it is already on disk and is reloaded first.
// - A FIFO, folder or device in the file's place is neither read nor written over.
// Safe to use from any thread: one change at a time runs under a mutex (within the process) and
// the file's lock (between processes). The owner only says how its content is read and written
// (`Content`); both callbacks run under the mutex.
class FileStoreCore {
public:
    enum class Read { Always, IfChanged };

    enum class Decoded {
        Whole,     // the content was replaced by the file's
        Partly,    // replaced, but some entries could not be read: the file is kept aside first
        Unreadable // the content stays as it was: the file is kept aside before it is written
    };

    struct Content {
        // Replaces the owner's content by what the bytes hold.
        std::function<Decoded(const QByteArray &)> adopt;
        std::function<QByteArray()> encode;
    };

    // What one change did, for the owner to tell its observers once the lock is let go.
    struct Outcome {
        bool reloaded = false; // the file's content replaced what was held
        bool changed = false;  // the operation had something to save
        bool saved = true;     // false when that save failed (`saveError()` says why)
    };

    FileStoreCore(QString path, Content content);

    const QString &path() const { return m_path; }

    // Reads the file and, unless it holds what was last read or written here (IfChanged) or is
    // missing, adopts it. True when the content was replaced.
    bool reload(Read mode);

    // Runs one change under the lock on freshly reloaded content. `operation(bool &changed)` sets
    // `changed` when there is something to save; its result is returned, and `outcome` says what
    // happened once the lock is let go.
    template <typename Operation>
    auto change(Operation operation, Outcome &outcome);

    // Why the last save failed, in the user's language; nothing after a save that worked.
    std::optional<QString> saveError() const;

    // Runs `look` under the mutex on the content as held, without touching the file: how another
    // thread reads what the owner holds.
    template <typename Look>
    auto held(Look look) const
    {
        const QMutexLocker locker(&m_mutex);
        return look();
    }

private:
    // The three below with m_mutex held.
    bool reloadHeld(Read mode);
    bool write();
    // Held until destroyed. When the lock cannot be had (an unwritable folder, a process that
    // hangs holding it) the change goes on without it rather than dropping the user's change.
    std::unique_ptr<FileLock> lockFile() const;

    const QString m_path;
    const Content m_content;
    mutable QMutex m_mutex;
    std::optional<QByteArray> m_known; // bytes last read or written; nothing while missing
    bool m_keepAside = false;
    std::optional<QString> m_saveError;
};

template <typename Operation>
auto FileStoreCore::change(Operation operation, Outcome &outcome)
{
    outcome = {};
    // Guards end in reverse order: save, let go of the file's lock, then of the mutex.
    const QMutexLocker locker(&m_mutex);
    const auto held = lockFile();
    outcome.reloaded = reloadHeld(Read::IfChanged);
    const auto save = qScopeGuard([&] {
        if (outcome.changed)
            outcome.saved = write();
    });
    return operation(outcome.changed);
}
