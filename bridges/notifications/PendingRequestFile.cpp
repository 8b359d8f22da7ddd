#include "bridges/notifications/PendingRequestFile.h"

#include "bridges/notifications/NotifyLog.h"
#include "bridges/notifications/PendingRequestsJson.h"
#include "data/AtomicWrite.h"
#include "data/KeepAside.h"
#include "data/RegularFileRead.h"

#include <QDir>
#include <QLockFile>
#include <QMutexLocker>

namespace {

// A change holds the lock for milliseconds; waiting longer only guards against a hung process,
// and then the change goes ahead without the lock rather than being dropped.
constexpr int lockWaitMs = 5000;

} // namespace

PendingRequestFile::PendingRequestFile(QString folder)
    : m_folder(std::move(folder)), m_path(m_folder + QStringLiteral("/notifications.json"))
{
}

QList<PendingRequest> PendingRequestFile::read()
{
    const QMutexLocker locker(&m_mutex);
    reload();
    return m_known;
}

QList<PendingRequest>
PendingRequestFile::change(const std::function<void(QList<PendingRequest> &)> &edit)
{
    const QMutexLocker locker(&m_mutex);
    QDir().mkpath(m_folder);
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(lockWaitMs))
        qCDebug(lcNotify) << "pending notifications changed without the lock:" << lock.error();
    reload();
    QList<PendingRequest> requests = m_known;
    edit(requests);
    save(requests);
    return m_known;
}

QList<PendingRequest> PendingRequestFile::known() const
{
    const QMutexLocker locker(&m_mutex);
    return m_known;
}

void PendingRequestFile::reload()
{
    if (m_unsaved)
        return;
    using Outcome = RegularFileRead::Outcome;
    const RegularFileRead read = readRegularFile(m_path);
    if (read.outcome != Outcome::Read) {
        // Missing: nothing was ever saved, or someone removed it; what is held here stands. Not a
        // regular file: left alone, and every save over it fails.
        m_keepAside = read.outcome == Outcome::TooLarge || read.outcome == Outcome::Failed;
        if (read.outcome != Outcome::Missing)
            qCDebug(lcNotify) << "pending notifications unreadable:" << m_path << read.why;
        return;
    }
    if (std::optional<PendingRequestsJson::Decoded> decoded =
            PendingRequestsJson::decode(read.bytes)) {
        m_known = std::move(decoded->requests);
        m_keepAside = decoded->skipped > 0;
        if (m_keepAside)
            qCDebug(lcNotify) << "left out" << decoded->skipped
                              << "unreadable pending notifications, kept aside at the next save:"
                              << m_path;
    } else {
        qCDebug(lcNotify) << "pending notifications undecodable, kept aside at the next save:"
                          << m_path;
        m_keepAside = true;
    }
}

void PendingRequestFile::save(const QList<PendingRequest> &requests)
{
    m_known = requests;
    m_unsaved = true;
    if (m_keepAside && !keepAside(m_path)) {
        qCDebug(lcNotify) << "could not keep the undecodable file aside, so not overwriting it:"
                          << m_path;
        return;
    }
    m_keepAside = false;
    FileError error;
    m_unsaved = !writeFileAtomically(m_path, PendingRequestsJson::encode(requests), &error);
    if (m_unsaved)
        qCDebug(lcNotify) << "pending notifications not saved, held in memory:" << m_path
                          << error.systemText;
}
