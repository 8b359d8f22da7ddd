#include "app/cli/CliMessages.h"

#include "app/cli/CliLog.h"

#include <QtGlobal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Standard error as the process found it: where the log goes.
int logFd = -1;

bool ownCategory(const QMessageLogContext &context)
{
    return context.category && qstrncmp(context.category, "slatebook.", 10) == 0;
}

void toLog(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    // A debug line of our own categories got here only because the rules enabled it.
    if (!(type == QtDebugMsg && ownCategory(context)) && !lcCli().isDebugEnabled())
        return;
    const QByteArray line = qFormatLogMessage(type, context, text).toLocal8Bit() + '\n';
    [[maybe_unused]] const ssize_t written = ::write(logFd, line.constData(), size_t(line.size()));
}

} // namespace

void sendMessagesToLog()
{
    logFd = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    qInstallMessageHandler(toLog);
    // Libraries that write to the streams themselves (libpng's errors) are silenced with them,
    // unless the whole log is asked for.
    if (lcCli().isDebugEnabled())
        return;
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0)
        return;
    ::dup2(null, STDOUT_FILENO);
    ::dup2(null, STDERR_FILENO);
    ::close(null);
}
