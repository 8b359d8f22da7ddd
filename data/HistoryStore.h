#pragma once

#include "data/DataFolder.h"
#include "data/HistoryRecord.h"
#include "data/StoreFile.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>

// The import history, newest first and at most `capacity` records, mirrored whole to
// "history.json" in the data folder after every change, through StoreFile's protocol like
// TaskStore; an idle store reloads a file someone else replaced when the event loop notices it.
// A change that cannot be saved stays in memory and `saveFailed` is emitted.
// The store does not look at the `saveHistory` setting: the caller decides whether to add.
class HistoryStore : public QObject {
    Q_OBJECT

public:
    static constexpr qsizetype capacity = 300;

    // Reads the file in `dir` (by default the data folder): missing, unreadable or undecodable
    // gives an empty history; records that cannot be read are left out and the file is kept
    // aside before the next save. Only the first `capacity` records of a longer file are read.
    explicit HistoryStore(const QString &dir = DataFolder::path(), QObject *parent = nullptr);

    const QList<HistoryRecord> &records() const { return m_records; }
    const QString &dir() const { return m_dir; }
    const QString &file() const { return m_file.path(); }

    // Reads the file again; on success replaces the records, otherwise leaves them as they are.
    void load();
    // Writes the records as they are in memory; false when they could not be saved.
    bool save();
    // Why the last change could not be saved; nothing when it was.
    const std::optional<QString> &saveError() const { return m_file.saveError(); }

    // Puts the record first and drops the oldest beyond `capacity`.
    void add(const HistoryRecord &record);
    // Removes every record with that id; saves even when none matched. Images are never touched.
    void remove(const QUuid &id);
    void clear();

signals:
    void recordsChanged();
    void saveFailed(const QString &reason);

private:
    StoreFile::Decoded adopt(const QByteArray &bytes);
    template <typename Operation>
    void change(Operation operation);

    QString m_dir;
    QList<HistoryRecord> m_records;
    StoreFile m_file;
};
