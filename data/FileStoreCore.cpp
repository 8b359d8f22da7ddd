#include "data/FileStoreCore.h"

#include "data/AtomicWrite.h"
#include "data/KeepAside.h"
#include "data/RegularFileRead.h"
#include "data/StoreLog.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Every change holds the lock for milliseconds, a few seconds when a loaded disk is slow to
// sync; this only guards against a process that hangs while holding it.
constexpr std::chrono::seconds lockWait{30};

} // namespace

FileStoreCore::FileStoreCore(QString path, Content content)
    : m_path(std::move(path)), m_content(std::move(content))
{
}

bool FileStoreCore::reload(Read mode)
{
    const QMutexLocker locker(&m_mutex);
    return reloadHeld(mode);
}

std::optional<QString> FileStoreCore::saveError() const
{
    const QMutexLocker locker(&m_mutex);
    return m_saveError;
}

bool FileStoreCore::reloadHeld(Read mode)
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

bool FileStoreCore::write()
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
    FileError error;
    const QByteArray bytes = m_content.encode();
    if (!writeFileAtomically(m_path, bytes, &error)) {
        qCDebug(lcStore) << "save of" << m_path << "failed:" << error.systemText;
        m_saveError = QStringLiteral("未能保存到 %1（%2）").arg(m_path, error.userText);
        return false;
    }
    m_known = bytes;
    m_saveError.reset();
    return true;
}

std::unique_ptr<FileLock> FileStoreCore::lockFile() const
{
    // The folder first: the lock file lives beside the file.
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        qCDebug(lcStore) << "cannot create the folder" << folder;
    auto lock = std::make_unique<FileLock>(m_path + QStringLiteral(".lock"), lockWait);
    if (!lock->held())
        qCDebug(lcStore) << "going on without the lock of" << m_path;
    return lock;
}
