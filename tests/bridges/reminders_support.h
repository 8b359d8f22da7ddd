#pragma once

// Helpers for the Reminders tests: files, the local clock, folders that refuse changes, and
// waiting for completions with the event loop running.
#include "support/LocalZone.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QTimer>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <linux/fs.h>
#include <optional>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace reminders_test {

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The .ics files of a folder, by name.
inline QStringList icsFiles(const QString &folder)
{
    return QDir(folder).entryList({"*.ics"}, QDir::Files, QDir::Name);
}

// Every entry of a folder, hidden ones included: what a commit may have left behind.
inline QStringList allEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// Makes a folder refuse new, renamed and removed entries for as long as it lives: through its
// permissions, or, where they do not stop the user (root), through the immutable attribute.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString path) : m_path(std::move(path))
    {
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner);
        if (!refusesNewFiles())
            setImmutable(true);
    }
    ~ReadOnlyFolder()
    {
        setImmutable(false);
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    // False when this machine offers neither way.
    bool holds() const { return refusesNewFiles(); }

private:
    bool refusesNewFiles() const
    {
        QFile probe(m_path + "/.probe");
        if (!probe.open(QIODevice::WriteOnly))
            return true;
        probe.remove();
        return false;
    }

    void setImmutable(bool on) const
    {
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return;
        int flags = 0;
        if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        ::close(fd);
    }

    QString m_path;
};

// Makes a folder read-only for as long as it lives through a read-only bind mount of itself:
// every change fails with EROFS, root's too. holds() is false without the right to mount.
class ReadOnlyMount {
public:
    explicit ReadOnlyMount(const QString &folder) : m_path(QFile::encodeName(folder))
    {
        const char *path = m_path.constData();
        m_mounted = ::mount(path, path, nullptr, MS_BIND, nullptr) == 0;
        m_holds = m_mounted &&
            ::mount(nullptr, path, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }
    ~ReadOnlyMount()
    {
        if (m_mounted)
            ::umount2(m_path.constData(), MNT_DETACH);
    }
    ReadOnlyMount(const ReadOnlyMount &) = delete;
    ReadOnlyMount &operator=(const ReadOnlyMount &) = delete;
    bool holds() const { return m_holds; }

private:
    QByteArray m_path;
    bool m_mounted = false;
    bool m_holds = false;
};

template <typename Result>
struct Completion {
    Result result;
    bool onMainThread;
};

// Starts an operation with a completion and runs the event loop until the completion has run
// (or 30 seconds have passed). `start` receives the completion to hand on.
template <typename Result, typename Start>
std::optional<Completion<Result>> await(Start start)
{
    std::optional<Completion<Result>> got;
    QEventLoop loop;
    start([&](Result result) {
        got = Completion<Result>{std::move(result), QThread::currentThread() == qApp->thread()};
        loop.quit();
    });
    if (!got) {
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return got;
}

} // namespace reminders_test
