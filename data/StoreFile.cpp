#include "data/StoreFile.h"

#include "data/AtomicWrite.h"
#include "data/KeepAside.h"
#include "data/RegularFileRead.h"
#include "data/StoreLog.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A save touches the folder several times (lock file, temporary file, rename): wait until it
// has settled before looking at the file.
constexpr int settleMs = 100;
// Every operation holds the lock for milliseconds; this only guards against a hung process.
constexpr int lockWaitMs = 5000;

} // namespace

StoreFile::StoreFile(QString path, Content content, QObject *parent)
    : QObject(parent), m_path(std::move(path)), m_content(std::move(content))
{
    const QString folder = QFileInfo(m_path).absolutePath();
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
    if (QFileInfo(m_path).isFile() && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
}

void StoreFile::reloadWhenIdle()
{
    if (reload(Read::IfChanged))
        emit contentChanged();
}

bool StoreFile::reload(Read mode)
{
    using Outcome = RegularFileRead::Outcome;
    RegularFileRead read = readRegularFile(m_path);
    if (read.outcome == Outcome::NotRegular) {
        // Neither read nor moved aside: every save over it fails and says why.
        qCDebug(lcStore) << m_path << "is not a regular file; left alone";
        m_keepAside = false;
    } else if (read.outcome == Outcome::TooLarge || read.outcome == Outcome::Failed) {
        qCDebug(lcStore) << "cannot read" << m_path << ":" << read.why
                         << "; it is kept aside at the next save";
        m_keepAside = true;
    }
    if (read.outcome != Outcome::Read) {
        m_known.reset();
        return false;
    }
    QByteArray &bytes = read.bytes;
    if (mode == Read::IfChanged && m_known == bytes)
        return false;
    m_known = bytes;
    switch (m_content.adopt(bytes)) {
    case Decoded::Whole:
        m_keepAside = false;
        return true;
    case Decoded::Partly:
        qCDebug(lcStore) << "some entries of" << m_path
                         << "are unreadable; the file is kept aside at the next save";
        m_keepAside = true;
        return true;
    case Decoded::Unreadable:
        qCDebug(lcStore) << m_path << "is unreadable; it is kept aside at the next save";
        m_keepAside = true;
        return false;
    }
    return false;
}

bool StoreFile::write()
{
    if (m_keepAside) {
        if (!keepAside(m_path)) {
            qCDebug(lcStore) << "cannot keep" << m_path << "aside; not overwritten";
            m_saveError = QStringLiteral("无法保存：%1 无法读取，也无法移到一旁保留").arg(m_path);
            return false;
        }
        m_keepAside = false;
        m_known.reset();
    }
    FileError error{QStringLiteral("无法创建文件夹"), QStringLiteral("mkpath failed")};
    const QByteArray bytes = m_content.encode();
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()) ||
        !writeFileAtomically(m_path, bytes, &error)) {
        qCDebug(lcStore) << "save of" << m_path << "failed:" << error.systemText;
        m_saveError = QStringLiteral("未能保存到 %1（%2）").arg(m_path, error.userText);
        return false;
    }
    m_known = bytes;
    m_saveError.reset();
    return true;
}

bool StoreFile::save()
{
    bool saved = false;
    {
        const auto held = lock();
        saved = write();
    }
    if (!saved)
        emit saveFailed(*m_saveError);
    return saved;
}

std::unique_ptr<QLockFile> StoreFile::lock() const
{
    auto lock = std::make_unique<QLockFile>(m_path + QStringLiteral(".lock"));
    if (!lock->tryLock(lockWaitMs))
        qCDebug(lcStore) << "going on without the lock of" << m_path << "( error" << lock->error()
                         << ")";
    return lock;
}
