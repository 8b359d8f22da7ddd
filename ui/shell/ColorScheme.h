#pragma once

#include <QDBusMessage>
#include <QObject>
#include <QPalette>

// Keeps the application's palette true to the desktop's light or dark choice, and readable.
// Qt 6.4 reads a dark choice only from a dark Qt theme; GNOME keeps it in the settings portal
// (org.freedesktop.appearance color-scheme: 0 none, 1 dark, 2 light). A dark choice over a light
// palette switches to `darkPalette()`; a later light or no choice gives the desktop's palette back.
// Whatever the palette, placeholder text keeps its contrast on the fields (a dark theme may leave
// it at the light theme's grey).
class ColorScheme : public QObject {
    Q_OBJECT

public:
    explicit ColorScheme(QObject *parent = nullptr);

    // Dark colours after GNOME's Adwaita dark: what the window shows when the desktop asks for
    // dark and Qt's own palette is light.
    static QPalette darkPalette();
    // `palette` with its placeholder text at least 4.5:1 against the fields.
    static QPalette readable(QPalette palette);

    bool followsDark() const { return m_dark; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    // The portal's SettingChanged(group, key, value).
    void settingChanged(const QDBusMessage &signal);

private:
    void apply(uint scheme);
    void keepReadable();

    QPalette m_desktop;
    bool m_dark = false;
};
