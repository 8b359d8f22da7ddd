// The desktop services that can run without a display: revealing a file through the file
// manager's D-Bus service, and starting a program.
#include "bridges/desktop/DesktopServices.h"
#include "support/TempHome.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Stands where a file manager registers itself on the session bus and records what it is asked
// to show.
class FileManagerOnBus : public QDBusVirtualObject {
public:
    QList<QVariantList> shown;

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.member() != "ShowItems")
            return false;
        shown.append(message.arguments());
        connection.send(message.createReply());
        return true;
    }

    QString introspect(const QString &) const override
    {
        return R"(<interface name="org.freedesktop.FileManager1"><method name="ShowItems">)"
               R"(<arg type="as" direction="in"/><arg type="s" direction="in"/></method></interface>)";
    }
};

} // namespace

TEST(DesktopServices, RevealFileAsksTheFileManagerToSelectIt)
{
    if (!QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "no D-Bus session bus (run the tests inside dbus-run-session)";
    // A connection of its own, so the call goes through the bus as it would to another program.
    QDBusConnection bus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, "file-manager");
    FileManagerOnBus fileManager;
    ASSERT_TRUE(bus.registerVirtualObject("/org/freedesktop/FileManager1", &fileManager));
    ASSERT_TRUE(bus.registerService("org.freedesktop.FileManager1"));

    TempHome home;
    DesktopServices::revealFile(home.path() + "/作业 照片.png");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !fileManager.shown.isEmpty(); }, 5000));

    bus.unregisterService("org.freedesktop.FileManager1");
    bus.unregisterObject("/org/freedesktop/FileManager1");
    QDBusConnection::disconnectFromBus("file-manager");
    ASSERT_EQ(fileManager.shown.size(), 1);
    const QVariantList arguments = fileManager.shown.first();
    ASSERT_EQ(arguments.size(), 2);
    EXPECT_EQ(arguments[0].toStringList(),
              QStringList{"file://" +
                          QString::fromLatin1(
                              QUrl::toPercentEncoding(home.path() + "/作业 照片.png", "/"))});
    EXPECT_EQ(arguments[1].toString(), "");
}

TEST(DesktopServices, OpenApplicationStartsTheProgram)
{
    TempHome home;
    const QString program = home.path() + "/program";
    QFile script(program);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho started > \"$HOME/started\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    DesktopServices::openApplication(program);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(home.path() + "/started"); }, 5000));
}
