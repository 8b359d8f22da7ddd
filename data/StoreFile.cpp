#include "data/StoreFile.h"

#include "data/AtomicWrite.h"
#include "data/KeepAside.h"

#include <QFile>
#include <QFileInfo>

namespace {

// A save touches the folder several times (lock file, temporary file, rename): wait until it
// has settled before looking at the file.
constexpr int settleMs = 100;
// Every operation holds the lock for milliseconds; this only guards against a hung process.
constexpr int lockWaitMs = 5000;

} // namespace

StoreFile::StoreFile(QString path, QObject *parent)
    : QObject(parent)
    , m_path(std::move(path))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMs);
    connect(&m_settle, &QTimer::timeout, this, &StoreFile::mayHaveChanged);
    // The folder sees an atomic replacement (a rename, which ends a watch on the file itself);
    // the file sees an editor that writes in place.
    const QString folder = QFileInfo(m_path).absolutePath();
    if (QFileInfo(folder).isDir())
        m_watcher.addPath(folder);
    watchFile();
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &StoreFile::watchFile);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
}

void StoreFile::watchFile()
{
    if (QFileInfo(m_path).isFile() && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
}

std::optional<QByteArray> StoreFile::read(Read mode)
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.exists())
            m_unreadable = true;
        m_known.reset();
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (mode == Read::IfChanged && m_known == bytes)
        return std::nullopt;
    m_known = bytes;
    m_unreadable = false;
    return bytes;
}

bool StoreFile::write(const QByteArray &bytes)
{
    if (m_unreadable) {
        if (!keepAside(m_path))
            return false;
        m_unreadable = false;
        m_known.reset();
    }
    if (!writeFileAtomically(m_path, bytes))
        return false;
    m_known = bytes;
    return true;
}

std::unique_ptr<QLockFile> StoreFile::lock() const
{
    auto lock = std::make_unique<QLockFile>(m_path + QStringLiteral(".lock"));
    lock->tryLock(lockWaitMs);
    return lock;
}
