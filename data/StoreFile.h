#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>

// The one file a store mirrors its whole state to, shared with every other process that runs a
// store on the same folder (the window and command-line runs of the executable).
// - It remembers the bytes last read or written, so a store can tell when someone else replaced
//   the file and reload before changing anything.
// - A file that failed to load is kept aside before the first write over it.
// - Every write replaces the file atomically.
// - `lock()` gives the exclusive lock that every changing operation holds from reload to save.
// - It watches the folder and reports that the file may have changed while the store sat idle.
class StoreFile : public QObject {
    Q_OBJECT

public:
    enum class Read { Always, IfChanged };

    explicit StoreFile(QString path, QObject *parent = nullptr);

    const QString &path() const { return m_path; }

    // The file's bytes; nothing when it is missing or cannot be opened, or, with IfChanged, when
    // it holds exactly what was last read or written here. A file that exists but cannot be
    // opened counts as unreadable.
    std::optional<QByteArray> read(Read mode);

    // The bytes just read did not decode: the file is kept aside before the next write.
    void markUnreadable() { m_unreadable = true; }

    // Keeps an unreadable file aside, then replaces the file. False when nothing was written; an
    // unreadable file that cannot be moved aside is never overwritten.
    bool write(const QByteArray &bytes);

    // Held until destroyed. When the lock cannot be had (an unwritable folder, a process that
    // hangs holding it) the caller goes on without it rather than dropping the user's change.
    std::unique_ptr<QLockFile> lock() const;

signals:
    // Something in the folder changed while the event loop ran; the file may have been replaced.
    void mayHaveChanged();

private:
    void watchFile();

    QString m_path;
    std::optional<QByteArray> m_known; // bytes last read or written; nothing while missing
    bool m_unreadable = false;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};
