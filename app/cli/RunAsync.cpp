#include "app/cli/RunAsync.h"

#include "app/cli/CliLog.h"
#include "app/cli/CliTexts.h"

#include <QEventLoop>
#include <QThreadPool>
#include <QTimer>

void runAsync(const std::function<void(const CliFinish &)> &work, const CliFinish &finish,
              std::chrono::milliseconds deadline)
{
    QThreadPool::globalInstance()->start([work, finish] { work(finish); });

    QEventLoop loop;
    QTimer::singleShot(deadline, &loop, &QEventLoop::quit);
    loop.exec();

    qCDebug(lcCli) << "no result within" << deadline.count() << "ms";
    finish(CliTexts::timedOut(std::chrono::duration_cast<std::chrono::seconds>(deadline).count()));
}
