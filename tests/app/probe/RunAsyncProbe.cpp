// A tiny program around runAsync with a short deadline, so its time-out and its race between a
// late callback and the end of the wait can be seen from outside, as real process exits.
#include "app/cli/CliFinish.h"
#include "app/cli/RunAsync.h"

#include <QCoreApplication>
#include <QThread>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 3)
        return 2;
    const QString mode = arguments.at(1);
    const CliFinish finish(arguments.at(2));
    const auto deadline = std::chrono::milliseconds(1000);

    if (mode == "timeout")
        runAsync([](const CliFinish &) {}, finish, deadline);
    if (mode == "callback")
        runAsync([](const CliFinish &done) { done("SUCCESS: callback"); }, finish, deadline);
    if (mode == "race") {
        runAsync(
            [deadline](const CliFinish &done) {
                QThread::msleep(deadline.count());
                done("SUCCESS: callback");
            },
            finish, deadline);
    }
    return 3;
}
