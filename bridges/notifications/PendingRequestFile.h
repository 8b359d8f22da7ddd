#pragma once

#include "bridges/notifications/PendingRequest.h"
#include "data/FileStoreCore.h"

#include <QList>
#include <QString>
#include <functional>

// The desktop center's pending set, kept in "notifications.json" in the state folder so that it
// survives a restart, through FileStoreCore's protocol: a change made by another process in
// between is never lost, a file that does not decode whole is kept aside before it is written
// over (the requests of it that do read stand meanwhile), and while the file cannot be written
// the set held here stands in for it. Safe to use from any thread.
class PendingRequestFile {
public:
    explicit PendingRequestFile(const QString &folder);

    QString path() const { return m_file.path(); }

    // The pending set as it stands now.
    QList<PendingRequest> read();
    // Applies `edit` to the set as it stands now and saves the result, which it returns.
    QList<PendingRequest> change(const std::function<void(QList<PendingRequest> &)> &edit);
    // The set as last read or changed here, without touching the file.
    QList<PendingRequest> known() const;

private:
    FileStoreCore::Decoded adopt(const QByteArray &bytes);

    QList<PendingRequest> m_requests; // guarded by m_file
    FileStoreCore m_file;
};
