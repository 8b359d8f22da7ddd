#pragma once

#include "data/HistoryRecord.h"
#include "data/StoreFile.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>
#include <functional>

// The import history, newest first and at most `capacity` records, mirrored whole to
// "history.json" in the data folder after every change. Like TaskStore, each change holds the
// file's lock, reloads a file that someone else replaced, applies itself and saves; an idle
// store reloads such a change when the event loop notices it.
// The store does not look at the `saveHistory` setting: the caller decides whether to add.
class HistoryStore : public QObject {
    Q_OBJECT

public:
    static constexpr qsizetype capacity = 300;

    // Creates the data folder (a failure is ignored) and reads the file: missing, unreadable
    // or undecodable gives an empty history, silently.
    explicit HistoryStore(QObject *parent = nullptr);

    const QList<HistoryRecord> &records() const { return m_records; }
    const QString &dir() const { return m_dir; }
    const QString &file() const { return m_file.path(); }

    // Reads the file again; on success replaces the records, otherwise leaves them as they are.
    void load();
    // Writes the records as they are in memory.
    void save();

    // Puts the record first and drops the oldest beyond `capacity`. A file holding more records
    // (written by hand) is read whole and trimmed by the next add.
    void add(const HistoryRecord &record);
    // Removes every record with that id; saves even when none matched. Images are never touched.
    void remove(const QUuid &id);
    void clear();

signals:
    void recordsChanged();

private:
    // Replaces the records by the file's when it reads; true when it did.
    bool reloadQuietly(StoreFile::Read mode);
    void reload(StoreFile::Read mode);
    void change(const std::function<void()> &operation);

    QString m_dir;
    StoreFile m_file;
    QList<HistoryRecord> m_records;
};
