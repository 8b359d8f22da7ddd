#include "data/StoreFile.h"

#include "data/StoreLog.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A save touches the folder several times (lock file, temporary file, rename): wait until it
// has settled before looking at the file.
constexpr int settleMs = 100;

} // namespace

StoreFile::StoreFile(QString path, Content content, QObject *parent)
    : QObject(parent), m_core(std::move(path), std::move(content))
{
    const QString folder = QFileInfo(m_core.path()).absolutePath();
    if (!QDir().mkpath(folder))
        qCDebug(lcStore) << "cannot create the data folder" << folder;
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMs);
    connect(&m_settle, &QTimer::timeout, this, &StoreFile::reloadWhenIdle);
    // The folder sees an atomic replacement (a rename, which ends a watch on the file itself);
    // the file sees an editor that writes in place.
    if (QFileInfo(folder).isDir())
        m_watcher.addPath(folder);
    watchFile();
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &StoreFile::watchFile);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle,
            qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
}

void StoreFile::watchFile()
{
    if (QFileInfo(path()).isFile() && !m_watcher.files().contains(path()))
        m_watcher.addPath(path());
}

void StoreFile::reloadWhenIdle()
{
    if (m_core.reload(Read::IfChanged))
        emit contentChanged();
}
