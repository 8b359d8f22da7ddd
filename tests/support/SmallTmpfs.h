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

// A small tmpfs mounted over a folder while it lives, so that a test meets a disk that is really
// full. It is mounted in a mount namespace of the test process's own (the process and the
// programs it starts see it, nothing else does): as root directly, otherwise in a user namespace
// as `unshare -rm` would. Where the system allows neither, `mounted()` is false and `why()` says
// why, for the test's skip message.
class SmallTmpfs {
public:
    explicit SmallTmpfs(const QString &folder, int kib = 256) : m_path(QFile::encodeName(folder))
    {
        QDir().mkpath(folder);
        if (!privateMounts(m_why))
            return;
        const QByteArray options = "size=" + QByteArray::number(kib) + "k,mode=0700";
        if (::mount("tmpfs", m_path.constData(), "tmpfs", 0, options.constData()) != 0) {
            m_why = "mount: " + qt_error_string(errno);
            return;
        }
        m_mounted = true;
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
    // Once per process: mounts made afterwards stay inside it.
    static bool privateMounts(QString &why)
    {
        static const QString failure = [] {
            if (::geteuid() == 0) {
                if (::unshare(CLONE_NEWNS) != 0)
                    return "unshare(CLONE_NEWNS): " + qt_error_string(errno);
            } else {
                const uid_t uid = ::geteuid();
                const gid_t gid = ::getegid();
                if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
                    return "unshare(CLONE_NEWUSER | CLONE_NEWNS): " + qt_error_string(errno);
                writeProc("/proc/self/setgroups", "deny");
                writeProc("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1");
                writeProc("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1");
            }
            if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
                return "making mounts private: " + qt_error_string(errno);
            return QString();
        }();
        why = failure;
        return failure.isEmpty();
    }
    static void writeProc(const char *file, const QByteArray &line)
    {
        QFile proc(file);
        if (proc.open(QIODevice::WriteOnly))
            proc.write(line);
    }

    QByteArray m_path;
    bool m_mounted = false;
    QString m_why;
};
