#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cerrno>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

// A small tmpfs over a folder while it lives, so that a test meets a disk that is really full.
// It is mounted in a mount namespace of the test process's own: the process and the programs it
// starts see it, nothing else does. Where mounting is not permitted, `mounted()` is false and
// `why()` says why, for the test's skip message.
class SmallTmpfs {
public:
    explicit SmallTmpfs(const QString &folder, int kib = 256) : m_path(QFile::encodeName(folder))
    {
        QDir().mkpath(folder);
        static const bool ownMounts = ::unshare(CLONE_NEWNS) == 0 &&
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        const QByteArray options = "size=" + QByteArray::number(kib) + "k";
        m_mounted =
            ownMounts && ::mount("tmpfs", m_path.constData(), "tmpfs", 0, options.constData()) == 0;
        if (!m_mounted)
            m_why = qt_error_string(errno);
    }
    ~SmallTmpfs()
    {
        if (m_mounted)
            ::umount2(m_path.constData(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs &) = delete;
    SmallTmpfs &operator=(const SmallTmpfs &) = delete;
    bool mounted() const { return m_mounted; }
    const QString &why() const { return m_why; }

    // Takes every free byte: from then on nothing can grow, and a new file holds nothing.
    void fill() const
    {
        const int fd = ::open((m_path + "/.filler").constData(),
                              O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        const QByteArray chunk(64 * 1024, 'x');
        while (fd >= 0 && ::write(fd, chunk.constData(), size_t(chunk.size())) > 0) { }
        if (fd >= 0)
            ::close(fd);
    }
    // Gives the room back.
    void release() const { ::unlink((m_path + "/.filler").constData()); }

private:
    QByteArray m_path;
    bool m_mounted = false;
    QString m_why;
};
