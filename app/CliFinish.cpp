#include "app/CliFinish.h"

#include "app/ResultFile.h"

#include <atomic>
#include <cstdio>
#include <unistd.h>

CliFinish::CliFinish(QString resultFile)
    : m_resultFile(std::move(resultFile))
{
}

void CliFinish::operator()(const QString &text) const
{
    static std::atomic_flag finished = ATOMIC_FLAG_INIT;
    if (finished.test_and_set()) {
        // Another thread is writing the result and ending the process right now.
        for (;;)
            pause();
    }
    ResultFile::write(m_resultFile, text);
    std::fflush(nullptr);
    // _exit, not exit: other threads may still be using objects that static destructors
    // would tear down under them.
    _exit(0);
}
