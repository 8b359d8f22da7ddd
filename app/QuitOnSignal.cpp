#include "app/QuitOnSignal.h"

#include "app/AppLog.h"

#include <QCoreApplication>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int quitSignals[] = {SIGTERM, SIGINT};

int writeEnd = -1;

void onSignal(int number)
{
    // Async-signal-safe only: the default comes back for a second signal, and a byte wakes the
    // main thread.
    std::signal(number, SIG_DFL);
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
}

} // namespace

QuitOnSignal::QuitOnSignal()
{
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qCDebug(lcApp) << "no pipe for quit signals; they end the process at once";
        return;
    }
    writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitOnSignal::received);
    for (const int number : quitSignals)
        std::signal(number, onSignal);
}

QuitOnSignal::~QuitOnSignal()
{
    if (m_pipe[0] < 0)
        return;
    for (const int number : quitSignals)
        std::signal(number, SIG_DFL);
    writeEnd = -1;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void QuitOnSignal::received()
{
    char byte = 0;
    while (::read(m_pipe[0], &byte, 1) == 1)
        qCDebug(lcApp) << "signal" << int(byte) << "received; quitting";
    QCoreApplication::quit();
}
