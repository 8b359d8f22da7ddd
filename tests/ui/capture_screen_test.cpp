#include "ImportScreenDriver.h"
#include "PrivateSessionBus.h"
#include "ScreenHarness.h"
#include "bridges/dbusmock_calls.h"

#include "ui/MainWindow.h"
#include "ui/import/ImportHeader.h"
#include "ui/shell/RootView.h"

#include <QAbstractButton>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFile>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString mockInterface = QStringLiteral("org.freedesktop.DBus.Mock");

// A stand-in for xdg-desktop-portal: python3-dbusmock serving org.freedesktop.portal.Screenshot.
// Screenshot() makes the Request object where a real portal puts it (from the caller's unique
// name and its handle_token) and returns its path; the test then answers on it as the user would.
class PortalStandIn {
public:
    PortalStandIn(const TestSessionBus &bus, const QString &clientName) : m_bus(bus)
    {
        m_process.setProcessEnvironment(bus.environment());
        // The Debian package installs the module for the system's interpreter.
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        {QStringLiteral("-m"), QStringLiteral("dbusmock"), portalService,
                         portalPath, QStringLiteral("org.freedesktop.portal.Screenshot")});
        m_process.waitForStarted();
        m_running = bus.waitForName(portalService);
        // Where a portal puts a caller's requests: its unique name without the colon, dots as _.
        QString sender = clientName.mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        m_requestPrefix = portalPath + QStringLiteral("/request/") + sender + QLatin1Char('/');
        const QString code =
            QStringLiteral("path = '%1' + args[1]['handle_token']\n"
                           "self.AddObject(path, 'org.freedesktop.portal.Request', {}, [])\n"
                           "ret = dbus.ObjectPath(path)\n")
                .arg(m_requestPrefix);
        QDBusMessage add = QDBusMessage::createMethodCall(portalService, portalPath, mockInterface,
                                                          QStringLiteral("AddMethod"));
        add << QString() << QStringLiteral("Screenshot") << QStringLiteral("sa{sv}")
            << QStringLiteral("o") << code;
        m_running = m_running && m_bus.connection().call(add).type() == QDBusMessage::ReplyMessage;
    }

    ~PortalStandIn()
    {
        m_process.terminate();
        m_process.waitForFinished();
    }

    bool running() const { return m_running; }

    // The options of every Screenshot call so far, oldest first.
    QList<QVariantMap> screenshotCalls() const
    {
        QList<QVariantMap> calls;
        for (const DbusMockCall &call :
             dbusMockCalls(m_bus.connection(), portalService, portalPath)) {
            if (call.method == QStringLiteral("Screenshot") && call.arguments.size() == 2)
                calls.append(qdbus_cast<QVariantMap>(call.arguments[1]));
        }
        return calls;
    }

    // Waits for the `count`-th call; its options (empty when it did not come).
    QVariantMap waitForCall(int count) const
    {
        QList<QVariantMap> calls;
        waitUntil([&] { return (calls = screenshotCalls()).size() >= count; }, 15000);
        return calls.size() >= count ? calls[count - 1] : QVariantMap();
    }

    // Emits Response on the Request object of the call with these options.
    bool respond(const QVariantMap &call, uint response, const QVariantMap &results) const
    {
        const QString request =
            m_requestPrefix + call.value(QStringLiteral("handle_token")).toString();
        QDBusMessage emit_ = QDBusMessage::createMethodCall(portalService, request, mockInterface,
                                                            QStringLiteral("EmitSignal"));
        emit_ << QStringLiteral("org.freedesktop.portal.Request") << QStringLiteral("Response")
              << QStringLiteral("ua{sv}")
              << QVariantList{QVariant::fromValue(response), QVariant::fromValue(results)};
        return m_bus.connection().call(emit_).type() == QDBusMessage::ReplyMessage;
    }

private:
    const TestSessionBus &m_bus;
    QProcess m_process;
    QString m_requestPrefix;
    bool m_running = false;
};

class CaptureScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!session.usable())
            GTEST_SKIP() << "needs a process of its own, as ctest runs each test";
        harness.emplace();
        window = std::make_unique<MainWindow>(harness->shared());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    ImportScreenDriver screen() const
    {
        return ImportScreenDriver(window->rootView()->importView());
    }

    PrivateSessionBus session; // first: the harness uses the session bus too
    std::optional<ScreenHarness> harness;
    std::unique_ptr<MainWindow> window;
};

TEST_F(CaptureScreenTest, ThePortalsPictureIsRecognisedOrTheButtonSaysThereIsNoService)
{
    const ImportScreenDriver s = screen();
    const QString unavailable =
        QStringLiteral("这个桌面没有提供截屏服务：请用截图工具截图并复制，再按 Ctrl+V 粘贴");

    // Nothing on the bus serves the portal.
    s.click("captureButton");
    EXPECT_EQ(s.statusShown(), QStringLiteral("请在桌面的截屏工具里选择要识别的区域…"));
    ASSERT_TRUE(waitUntil([&] { return s.statusShown() == unavailable; }, 30000))
        << s.statusShown().toStdString();
    EXPECT_EQ(s.button("captureButton")->toolTip(), unavailable);
    EXPECT_FALSE(s.view()->isBusy());

    const PortalStandIn portal(session.bus(), QDBusConnection::sessionBus().baseService());
    ASSERT_TRUE(portal.running());

    // Ctrl+Shift+S asks the portal for an interactive capture; the user closes its tool.
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    const QVariantMap first = portal.waitForCall(1);
    EXPECT_TRUE(first.value(QStringLiteral("interactive")).toBool());
    EXPECT_FALSE(first.value(QStringLiteral("handle_token")).toString().isEmpty());
    ASSERT_TRUE(portal.respond(first, 1, {}));
    ASSERT_TRUE(waitUntil([&] { return s.statusShown() == QStringLiteral("已取消截屏"); }, 15000));

    // Again, and the user picks a region: the portal hands over the file it saved.
    const QString shot = harness->home.path() + QStringLiteral("/Screenshot.jpg");
    ASSERT_TRUE(QFile::copy(corpusImage(QStringLiteral("05-kai-photo.jpg")), shot));
    s.click("captureButton");
    const QVariantMap second = portal.waitForCall(2);
    EXPECT_NE(second.value(QStringLiteral("handle_token")),
              first.value(QStringLiteral("handle_token")));
    ASSERT_TRUE(
        portal.respond(second, 0, {{QStringLiteral("uri"), QUrl::fromLocalFile(shot).toString()}}));
    ASSERT_TRUE(waitUntil([&] { return s.view()->isBusy(); }, 15000));
    EXPECT_EQ(s.statusShown(), QStringLiteral("正在识别 截屏 …"));
    EXPECT_TRUE(s.progressShown());
    ASSERT_TRUE(s.waitIdle());
    EXPECT_EQ(
        s.titles(),
        (QStringList{QStringLiteral("语文｜抄写词语两遍"), QStringLiteral("数学｜第3题 第4题"),
                     QStringLiteral("英语｜读课文三遍")}));
    EXPECT_EQ(s.statusShown(), QStringLiteral("来自截屏：解析出 3 条"));
    EXPECT_EQ(s.view()->header()->listName(), QStringLiteral("5.8作业"));
    EXPECT_TRUE(s.showsPicture());

    // Recorded as a pasted picture is: the file is the portal's, not one the user chose.
    s.click("writeButton");
    ASSERT_EQ(harness->history.records().size(), 1);
    EXPECT_FALSE(harness->history.records().first().imagePath.has_value());
    EXPECT_FALSE(harness->history.records().first().fromText);
}

} // namespace
