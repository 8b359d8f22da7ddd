#include "ui/shell/ColorScheme.h"

#include "ui/UiLog.h"
#include "ui/glass/GlassPalette.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearance = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");

constexpr uint preferDark = 1;

// Read() wraps the value in one variant more than the setting has.
QVariant unwrapped(QVariant value)
{
    while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

} // namespace

ColorScheme::ColorScheme(QObject *parent) : QObject(parent), m_desktop(QApplication::palette())
{
    keepReadable();
    qApp->installEventFilter(this);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"),
                     this, SLOT(settingChanged(QDBusMessage))))
        qCDebug(lcUi) << "cannot follow the settings portal:" << bus.lastError().message();
    QDBusMessage read = QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface,
                                                       QStringLiteral("Read"));
    read << appearance << colorSchemeKey;
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(read, 5000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher *call) {
                call->deleteLater();
                const QDBusPendingReply<QDBusVariant> reply = *call;
                if (reply.isError()) {
                    qCDebug(lcUi) << "no colour scheme from the settings portal:"
                                  << reply.error().message();
                    return;
                }
                apply(unwrapped(reply.argumentAt(0)).toUInt());
            });
}

void ColorScheme::settingChanged(const QDBusMessage &signal)
{
    const QVariantList arguments = signal.arguments();
    if (arguments.size() == 3 && arguments[0].toString() == appearance &&
        arguments[1].toString() == colorSchemeKey)
        apply(unwrapped(arguments[2]).toUInt());
}

void ColorScheme::apply(uint scheme)
{
    const bool dark = scheme == preferDark && !GlassPalette::isDark(m_desktop);
    if (dark != m_dark) {
        m_dark = dark;
        QApplication::setPalette(readable(dark ? darkPalette() : m_desktop));
    }
}

bool ColorScheme::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) {
        // A palette the desktop sets (not ours) is its new choice.
        if (!m_dark)
            m_desktop = QApplication::palette();
        keepReadable();
    }
    return QObject::eventFilter(watched, event);
}

void ColorScheme::keepReadable()
{
    const QPalette current = QApplication::palette();
    const QPalette fixed = readable(current);
    // Only a change sets it again, so this does not loop on its own change.
    if (fixed != current)
        QApplication::setPalette(fixed);
}

QPalette ColorScheme::darkPalette()
{
    QPalette dark;
    const QColor window(36, 36, 36), base(30, 30, 30), text(255, 255, 255);
    const QColor button(48, 48, 48), accent(53, 132, 228), disabled(145, 145, 145);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, text);
    dark.setColor(QPalette::Base, base);
    dark.setColor(QPalette::AlternateBase, window);
    dark.setColor(QPalette::Text, text);
    dark.setColor(QPalette::Button, button);
    dark.setColor(QPalette::ButtonText, text);
    dark.setColor(QPalette::BrightText, text);
    dark.setColor(QPalette::ToolTipBase, base);
    dark.setColor(QPalette::ToolTipText, text);
    dark.setColor(QPalette::Highlight, accent);
    dark.setColor(QPalette::HighlightedText, text);
    dark.setColor(QPalette::Link, QColor(120, 174, 237));
    dark.setColor(QPalette::Light, button.lighter(150));
    dark.setColor(QPalette::Midlight, button.lighter(125));
    dark.setColor(QPalette::Mid, button.darker(120));
    dark.setColor(QPalette::Dark, button.darker(150));
    dark.setColor(QPalette::Shadow, Qt::black);
    dark.setColor(QPalette::PlaceholderText, QColor(160, 160, 160));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, disabled);
    return dark;
}

QPalette ColorScheme::readable(QPalette palette)
{
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        const QColor base = palette.color(group, QPalette::Base);
        const QColor text = palette.color(group, QPalette::Text);
        QColor placeholder = palette.color(group, QPalette::PlaceholderText);
        // As painted: a see-through placeholder over the field.
        const qreal alpha = placeholder.alphaF();
        placeholder.setAlphaF(1);
        placeholder = GlassPalette::blend(base, placeholder, alpha);
        if (GlassPalette::contrastRatio(placeholder, base) >= 4.5)
            continue;
        // The text colour faded towards the field, only as far as the contrast allows.
        for (int step = 10; step >= 0; --step) {
            const qreal t = step / 20.0;
            const QColor candidate = GlassPalette::blend(text, base, t);
            if (GlassPalette::contrastRatio(candidate, base) >= 4.5 || step == 0) {
                palette.setColor(group, QPalette::PlaceholderText, candidate);
                break;
            }
        }
    }
    return palette;
}
