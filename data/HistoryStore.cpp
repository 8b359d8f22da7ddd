#include "data/HistoryStore.h"

#include "data/DataFolder.h"
#include "data/HistoryJson.h"

namespace {

QString createdDataFolder()
{
    DataFolder::ensureExists();
    return DataFolder::path();
}

} // namespace

HistoryStore::HistoryStore(QObject *parent)
    : QObject(parent)
    , m_dir(createdDataFolder())
    , m_file(m_dir + QStringLiteral("/history.json"))
{
    reload(StoreFile::Read::Always);
    connect(&m_file, &StoreFile::mayHaveChanged, this, [this] { reload(StoreFile::Read::IfChanged); });
}

bool HistoryStore::reloadQuietly(StoreFile::Read mode)
{
    const std::optional<QByteArray> bytes = m_file.read(mode);
    if (!bytes)
        return false;
    std::optional<QList<HistoryRecord>> records = HistoryJson::decode(*bytes);
    if (!records) {
        m_file.markUnreadable();
        return false;
    }
    m_records = std::move(*records);
    return true;
}

void HistoryStore::reload(StoreFile::Read mode)
{
    if (reloadQuietly(mode))
        emit recordsChanged();
}

void HistoryStore::change(const std::function<void()> &operation)
{
    {
        const auto lock = m_file.lock();
        reloadQuietly(StoreFile::Read::IfChanged);
        operation();
        m_file.write(HistoryJson::encode(m_records));
    }
    // Once, after the lock is let go: an observer may change the history again at once.
    emit recordsChanged();
}

void HistoryStore::load()
{
    reload(StoreFile::Read::Always);
}

void HistoryStore::save()
{
    const auto lock = m_file.lock();
    m_file.write(HistoryJson::encode(m_records));
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
    change([&] { m_records.removeIf([&](const HistoryRecord &record) { return record.id == id; }); });
}

void HistoryStore::clear()
{
    change([&] { m_records.clear(); });
}
