#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

// One window process per user. Two would each show every due notification and each rewrite the
// pending notifications, so a later start hands its image path (if any) to the running window
// and exits. The running window holds a lock in the runtime folder (so that two sessions of the
// same user count too) and the session-bus name org.slatebook.Slatebook, whose method
// Activate(imagePath) a later start calls. Command-line mode never claims it.
class SingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.slatebook.Slatebook")

public:
    SingleInstance();

    // True when this process is now the user's window process. False when another one runs: it
    // was handed `imagePath` (made absolute; empty for none), and this process should exit.
    bool claim(const QString &imagePath);

signals:
    // A later start: bring the window to the front, and open the image when the path is not empty.
    void activated(const QString &imagePath);

public slots:
    // The bus method a later start calls.
    Q_SCRIPTABLE void Activate(const QString &imagePath);

private:
    // Waits a few seconds for a window that is still starting; gives up silently after that.
    void handOver(const QString &imagePath) const;

    std::unique_ptr<QLockFile> m_lock; // nothing when there is no usable runtime folder
};
