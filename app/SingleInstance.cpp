#include "app/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace {

const QString busName = QStringLiteral("org.slatebook.Slatebook");
const QString objectPath = QStringLiteral("/org/slatebook/Slatebook");

// The running window may hold the lock but not yet the bus name: it is still starting.
constexpr int handOverWaitMs = 5000;
constexpr int handOverRetryMs = 100;

} // namespace

SingleInstance::SingleInstance()
{
    const QString runtimeFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtimeFolder.isEmpty())
        return;
    m_lock = std::make_unique<QLockFile>(runtimeFolder + QStringLiteral("/slatebook.lock"));
    // Held for the whole run: only a holder that died makes it stale, never its age.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::claim(const QString &imagePath)
{
    // A runtime folder that cannot hold the lock leaves the decision to the bus name.
    if (m_lock && !m_lock->tryLock(0) && m_lock->error() == QLockFile::LockFailedError) {
        handOver(imagePath);
        return false;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        if (!bus.registerService(busName)) {
            handOver(imagePath);
            return false;
        }
        bus.registerObject(objectPath, this, QDBusConnection::ExportScriptableSlots);
    }
    return true;
}

void SingleInstance::Activate(const QString &imagePath)
{
    emit activated(imagePath);
}

void SingleInstance::handOver(const QString &imagePath) const
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(busName, objectPath, busName, QStringLiteral("Activate"));
    // The running window has a working folder of its own.
    call << (imagePath.isEmpty() ? imagePath : QFileInfo(imagePath).absoluteFilePath());
    const QDeadlineTimer deadline(handOverWaitMs);
    while (true) {
        const QDBusMessage reply =
            QDBusConnection::sessionBus().call(call, QDBus::Block, handOverWaitMs);
        if (reply.type() == QDBusMessage::ReplyMessage || deadline.hasExpired())
            return;
        QThread::msleep(handOverRetryMs);
    }
}
