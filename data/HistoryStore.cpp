#include "data/HistoryStore.h"

#include "data/HistoryJson.h"
#include "data/StoreLog.h"

HistoryStore::HistoryStore(const QString &dir, QObject *parent)
    : QObject(parent), m_dir(dir), m_file(dir + QStringLiteral("/history.json"),
                                          {[this](const QByteArray &bytes) { return adopt(bytes); },
                                           [this] { return HistoryJson::encode(m_records); }})
{
    m_file.reload(StoreFile::Read::Always);
    connect(&m_file, &StoreFile::contentChanged, this, &HistoryStore::recordsChanged);
    connect(&m_file, &StoreFile::saveFailed, this, &HistoryStore::saveFailed);
}

StoreFile::Decoded HistoryStore::adopt(const QByteArray &bytes)
{
    std::optional<HistoryJson::Decoded> decoded = HistoryJson::decode(bytes);
    if (!decoded)
        return StoreFile::Decoded::Unreadable;
    m_records = std::move(decoded->records);
    // A longer file (written by hand or by another program) would only slow every screen that
    // shows the history; the records past the newest `capacity` are dropped as an add drops them.
    if (m_records.size() > capacity) {
        qCDebug(lcStore) << "read only the newest" << capacity << "of" << m_records.size()
                         << "records of" << m_file.path();
        m_records.resize(capacity);
    }
    if (decoded->skipped == 0)
        return StoreFile::Decoded::Whole;
    qCDebug(lcStore) << "left out" << decoded->skipped << "unreadable records of" << m_file.path();
    return StoreFile::Decoded::Partly;
}

template <typename Operation>
void HistoryStore::change(Operation operation)
{
    m_file.change([&](bool &changed) {
        operation();
        changed = true;
    });
}

void HistoryStore::load()
{
    if (m_file.reload(StoreFile::Read::Always))
        emit recordsChanged();
}

bool HistoryStore::save()
{
    return m_file.save();
}

void HistoryStore::add(const HistoryRecord &record)
{
    change([&] {
        m_records.prepend(record);
        if (m_records.size() > capacity)
            m_records.resize(capacity);
    });
}

void HistoryStore::remove(const QUuid &id)
{
    change(
        [&] { m_records.removeIf([&](const HistoryRecord &record) { return record.id == id; }); });
}

void HistoryStore::clear()
{
    change([&] { m_records.clear(); });
}
