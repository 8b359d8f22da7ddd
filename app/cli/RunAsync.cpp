#include "app/cli/RunAsync.h"

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

    finish(QStringLiteral("TIMEOUT: 150s 未完成"));
}
