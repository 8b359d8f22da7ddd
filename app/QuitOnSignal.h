#pragma once

#include <QObject>
#include <QSocketNotifier>

// SIGTERM (a session ending, `kill`) or SIGINT (Ctrl+C in a terminal) ends the window's event loop
// the way closing the last window does, so the process leaves through the same bounded exit
// instead of dying mid-save. A second signal kills at once, as without this. For the lifetime of
// the one object; the handler only writes to a pipe, all else runs on the main thread.
class QuitOnSignal : public QObject {
public:
    QuitOnSignal();
    ~QuitOnSignal() override;
    QuitOnSignal(const QuitOnSignal &) = delete;
    QuitOnSignal &operator=(const QuitOnSignal &) = delete;

private:
    void received();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
};
