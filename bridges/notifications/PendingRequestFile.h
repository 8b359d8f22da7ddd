#pragma once

#include "bridges/notifications/PendingRequest.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <functional>

// The desktop center's pending set, kept in "notifications.json" in the state folder so that it
// survives a restart. Safe to use from any thread.
// - Every change takes the file's lock, reads the file afresh, applies itself and replaces the
//   file atomically, so a change made by another process in between is never lost.
// - A file that does not decode whole is kept aside before it is written over, never destroyed;
//   the requests of it that do read stand meanwhile. A FIFO, folder or device is left alone.
// - While the file cannot be written (an unwritable folder, a full disk) the set held here
//   stands in for it, so no request is lost while the process runs; the next write that
//   succeeds saves it.
class PendingRequestFile {
public:
    explicit PendingRequestFile(QString folder);

    QString path() const { return m_path; }

    // The pending set as it stands now.
    QList<PendingRequest> read();
    // Applies `edit` to the set as it stands now and saves the result, which it returns.
    QList<PendingRequest> change(const std::function<void(QList<PendingRequest> &)> &edit);
    // The set as last read or changed here, without touching the file.
    QList<PendingRequest> known() const;

private:
    // Both with m_mutex held.
    void reload();
    void save(const QList<PendingRequest> &requests);

    const QString m_folder;
    const QString m_path;
    mutable QMutex m_mutex;
    QList<PendingRequest> m_known;
    bool m_unsaved = false;   // the last write failed: m_known is newer than the file
    bool m_keepAside = false; // the file holds something that is not a pending set
};
