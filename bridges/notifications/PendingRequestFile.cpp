#include "bridges/notifications/PendingRequestFile.h"

#include "bridges/notifications/NotifyLog.h"
#include "bridges/notifications/PendingRequestsJson.h"

PendingRequestFile::PendingRequestFile(const QString &folder)
    : m_file(folder + QStringLiteral("/notifications.json"),
             {[this](const QByteArray &bytes) { return adopt(bytes); },
              [this] { return PendingRequestsJson::encode(m_requests); }})
{
}

FileStoreCore::Decoded PendingRequestFile::adopt(const QByteArray &bytes)
{
    std::optional<PendingRequestsJson::Decoded> decoded = PendingRequestsJson::decode(bytes);
    if (!decoded)
        return FileStoreCore::Decoded::Unreadable;
    m_requests = std::move(decoded->requests);
    if (decoded->skipped == 0)
        return FileStoreCore::Decoded::Whole;
    qCDebug(lcNotify) << "left out" << decoded->skipped << "unreadable pending notifications of"
                      << m_file.path();
    return FileStoreCore::Decoded::Partly;
}

QList<PendingRequest> PendingRequestFile::read()
{
    m_file.reload(FileStoreCore::Read::IfChanged);
    return known();
}

QList<PendingRequest>
PendingRequestFile::change(const std::function<void(QList<PendingRequest> &)> &edit)
{
    FileStoreCore::Outcome outcome;
    return m_file.change(
        [&](bool &changed) {
            edit(m_requests);
            changed = true;
            return m_requests;
        },
        outcome);
}

QList<PendingRequest> PendingRequestFile::known() const
{
    return m_file.held([this] { return m_requests; });
}
