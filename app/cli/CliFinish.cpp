#include "app/cli/CliFinish.h"

#include "app/cli/CliLog.h"
#include "data/AtomicWrite.h"

#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cstdio>
#include <unistd.h>

CliFinish::CliFinish(QString resultFile) : m_resultFile(std::move(resultFile)) { }

void CliFinish::operator()(const QString &text) const
{
    static std::atomic_flag finished = ATOMIC_FLAG_INIT;
    if (finished.test_and_set()) {
        // Another thread is writing the result and ending the process right now.
        for (;;)
            pause();
    }
    // UTF-8 without a byte-order mark, replaced atomically. Nobody is there to be told of a
    // failure (a missing tools folder, for one), so it is only traced. An earlier run's result
    // never stands in for this one: a plain file is removed, which may free the room this one
    // needs (a full disk), and the write tried once more. Links, FIFOs and folders stay.
    FileError error;
    if (!writeFileAtomically(m_resultFile, text.toUtf8(), &error)) {
        qCDebug(lcCli) << "result not written to" << m_resultFile << ":" << error.systemText;
        const QFileInfo earlier(m_resultFile);
        if (earlier.isFile() && !earlier.isSymLink() && QFile::remove(m_resultFile) &&
            !writeFileAtomically(m_resultFile, text.toUtf8(), &error))
            qCDebug(lcCli) << "nor after removing the earlier result:" << error.systemText;
    }
    std::fflush(nullptr);
    // _exit, not exit: other threads may still be using objects that static destructors
    // would tear down under them.
    _exit(0);
}
