#include "app/cli/CliFinish.h"

#include "app/cli/CliLog.h"
#include "data/AtomicWrite.h"

#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cstdio>
#include <unistd.h>

CliFinish::CliFinish(QString resultFile) : m_resultFile(std::move(resultFile)) { }

CliFinish CliFinish::withNote(const std::optional<QString> &note) const
{
    CliFinish noted = *this;
    noted.m_note = note.value_or(QString());
    return noted;
}

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
    QString result = text;
    if (!m_note.isEmpty())
        result += (result.endsWith(QLatin1Char('\n')) ? QString() : QStringLiteral("\n")) + m_note;
    const QByteArray bytes = result.toUtf8();
    FileError error;
    if (!writeFileAtomically(m_resultFile, bytes, &error)) {
        qCDebug(lcCli) << "result not written to" << m_resultFile << ":" << error.systemText;
        const QFileInfo earlier(m_resultFile);
        if (earlier.isFile() && !earlier.isSymLink() && QFile::remove(m_resultFile) &&
            !writeFileAtomically(m_resultFile, bytes, &error))
            qCDebug(lcCli) << "nor after removing the earlier result:" << error.systemText;
    }
    std::fflush(nullptr);
    // _exit, not exit: other threads may still be using objects that static destructors
    // would tear down under them.
    _exit(0);
}
