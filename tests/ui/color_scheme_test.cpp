#include "PrivateSessionBus.h"
#include "ScreenHarness.h"

#include "ui/MainWindow.h"
#include "ui/glass/GlassPalette.h"

#include <QApplication>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QProcess>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString mockInterface = QStringLiteral("org.freedesktop.DBus.Mock");

// A stand-in for xdg-desktop-portal's settings (python3-dbusmock): Read answers the appearance
// colour scheme that GNOME keeps, wrapped in a variant more as the portal does.
class SettingsPortal {
public:
    SettingsPortal(const TestSessionBus &bus, uint scheme) : m_bus(bus)
    {
        m_process.setProcessEnvironment(bus.environment());
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        {QStringLiteral("-m"), QStringLiteral("dbusmock"), portalService,
                         portalPath, settingsInterface});
        m_process.waitForStarted();
        m_running = bus.waitForName(portalService);
        QDBusMessage add = QDBusMessage::createMethodCall(portalService, portalPath, mockInterface,
                                                          QStringLiteral("AddMethod"));
        add << QString() << QStringLiteral("Read") << QStringLiteral("ss") << QStringLiteral("v")
            << QStringLiteral("ret = dbus.UInt32(%1, variant_level=2) "
                              "if args == ['org.freedesktop.appearance', 'color-scheme'] "
                              "else dbus.String('', variant_level=2)")
                   .arg(scheme);
        m_running = m_running && m_bus.connection().call(add).type() == QDBusMessage::ReplyMessage;
    }
    ~SettingsPortal()
    {
        m_process.terminate();
        m_process.waitForFinished();
    }

    bool running() const { return m_running; }

    // What the portal sends when the user switches in GNOME's settings.
    bool change(uint scheme) const
    {
        QDBusMessage signal = QDBusMessage::createMethodCall(
            portalService, portalPath, mockInterface, QStringLiteral("EmitSignal"));
        signal << settingsInterface << QStringLiteral("SettingChanged") << QStringLiteral("ssv")
               << QVariantList{QStringLiteral("org.freedesktop.appearance"),
                               QStringLiteral("color-scheme"),
                               QVariant::fromValue(QDBusVariant(QVariant::fromValue(scheme)))};
        return m_bus.connection().call(signal).type() == QDBusMessage::ReplyMessage;
    }

private:
    const TestSessionBus &m_bus;
    QProcess m_process;
    bool m_running = false;
};

// The window's own background as painted, near the bottom of its content; once the palette has
// reached the window's widgets (Qt hands it on in a later turn of the event loop).
bool paintedDark(QWidget &window)
{
    waitUntil(
        [&] {
            return GlassPalette::isDark(window.palette()) ==
                GlassPalette::isDark(QApplication::palette());
        },
        5000);
    const QImage shot = window.grab().toImage();
    return shot.pixelColor(shot.width() * 3 / 4, shot.height() - 20).lightness() < 128;
}

// On a desktop whose Qt theme is light, GNOME's dark preference read from the settings portal
// turns the window dark at start, and switching back in the desktop's settings turns it light.
TEST(ColorSchemeTest, TheWindowFollowsTheDesktopsDarkPreference)
{
    PrivateSessionBus session; // first: the harness uses the session bus too
    if (!session.usable())
        GTEST_SKIP() << "needs a process of its own, as ctest runs each test";
    const QPalette before = QApplication::palette();
    QApplication::setPalette(QApplication::style()->standardPalette());
    SettingsPortal portal(session.bus(), 1);
    ASSERT_TRUE(portal.running()) << "python3-dbusmock is missing";

    ScreenHarness harness;
    MainWindow window(harness.shared());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(waitUntil([] { return GlassPalette::isDark(QApplication::palette()); }, 10000));
    EXPECT_TRUE(paintedDark(window));

    ASSERT_TRUE(portal.change(2));
    ASSERT_TRUE(waitUntil([] { return !GlassPalette::isDark(QApplication::palette()); }, 10000));
    EXPECT_FALSE(paintedDark(window));
    ASSERT_TRUE(portal.change(1));
    EXPECT_TRUE(waitUntil([] { return GlassPalette::isDark(QApplication::palette()); }, 10000));
    QApplication::setPalette(before);
}

} // namespace
