#include "bridges/desktop/DesktopServices.h"

#include "bridges/desktop/DesktopLog.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace DesktopServices {

void openFolder(const QString &folder)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        qCDebug(lcDesktop) << "no program opened the folder" << folder;
}

void revealFile(const QString &file)
{
    const QString folder = QFileInfo(file).absolutePath();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        openFolder(folder);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded)} << QString();
    // Asynchronous, so a file manager that is slow to start never freezes the window.
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished,
                     [folder](QDBusPendingCallWatcher *done) {
                         if (done->isError()) {
                             qCDebug(lcDesktop) << "the file manager did not show" << folder << ":"
                                                << done->error().message();
                             openFolder(folder);
                         }
                         done->deleteLater();
                     });
}

void openApplication(const QString &program)
{
    if (!QProcess::startDetached(program, {}))
        qCDebug(lcDesktop) << "cannot start" << program;
}

} // namespace DesktopServices
