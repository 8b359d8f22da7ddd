#pragma once

#include "data/FileStoreCore.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QScopeGuard>
#include <QString>
#include <QTimer>
#include <optional>

// A FileStoreCore for a store that lives on the event loop: every change follows the core's
// protocol (lock → reload if changed → apply → save), then observers hear of it once the lock is
// let go, so an observer that changes the store again does not wait on the lock. It also watches
// the folder and reloads a file replaced while the store sat idle.
class StoreFile : public QObject {
    Q_OBJECT

public:
    using Read = FileStoreCore::Read;
    using Decoded = FileStoreCore::Decoded;
    using Content = FileStoreCore::Content;

    // Creates the file's folder when missing (a failure shows at the first save).
    StoreFile(QString path, Content content, QObject *parent = nullptr);

    const QString &path() const { return m_core.path(); }

    // FileStoreCore::reload; emits nothing.
    bool reload(Read mode) { return m_core.reload(mode); }

    // FileStoreCore::change, then `contentChanged` (and `saveFailed` when the save failed).
    template <typename Operation>
    auto change(Operation operation);

    std::optional<QString> saveError() const { return m_core.saveError(); }

signals:
    // The content was replaced by a change here or by the file (reloaded while idle).
    void contentChanged();
    // A change was kept in memory but could not be written; `reason` is for the user.
    void saveFailed(const QString &reason);

private:
    void watchFile();
    void reloadWhenIdle();

    FileStoreCore m_core;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};

template <typename Operation>
auto StoreFile::change(Operation operation)
{
    FileStoreCore::Outcome outcome;
    const auto publish = qScopeGuard([&] {
        if (outcome.reloaded || outcome.changed)
            emit contentChanged();
        if (!outcome.saved)
            emit saveFailed(m_core.saveError().value_or(QString()));
    });
    return m_core.change(operation, outcome);
}
