#include "app/BoundedExit.h"

#include "app/AppLog.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QThreadPool>
#include <cstdio>
#include <unistd.h>

namespace {

QString taskFile(const QString &tid, const char *name)
{
    QFile file(QStringLiteral("/proc/self/task/") + tid + u'/' + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

// Every other thread of the process by name, with the kernel function it waits in.
QStringList otherThreads()
{
    const QString self = QString::number(::gettid());
    QStringList threads;
    for (const QString &tid :
         QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (tid == self)
            continue;
        // A thread on a processor waits nowhere: its wait channel reads "0".
        const QString waits = taskFile(tid, "wchan");
        threads.append(taskFile(tid, "comm") + QStringLiteral(" (") +
                       (waits == u'0' ? QStringLiteral("running") : waits) + u')');
    }
    return threads;
}

} // namespace

void waitForPoolOrExit(int status, std::chrono::milliseconds grace)
{
    QThreadPool *pool = QThreadPool::globalInstance();
    if (pool->waitForDone(int(grace.count())))
        return;
    qCDebug(lcApp).noquote() << "ending with work still running on the thread pool after"
                             << grace.count() << "ms; threads:" << otherThreads().join(u", ");
    std::fflush(nullptr);
    // Not a return: QApplication's destructor, then the pool's own, would wait for them.
    _exit(status);
}
