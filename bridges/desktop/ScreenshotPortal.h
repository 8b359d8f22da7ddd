#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

// Asks the desktop for a picture of part of the screen through xdg-desktop-portal's
// org.freedesktop.portal.Screenshot, interactively, so the user picks the region in the
// desktop's own tool. The portal answers later, with a Response signal on a Request object
// whose path it derives from our unique bus name and a token we choose; the client listens on
// that path before asking, so an answer that comes quickly is not lost.
class ScreenshotPortal : public QObject {
    Q_OBJECT

public:
    enum class Outcome {
        Captured,    // the picture is in the file passed along
        Cancelled,   // the user closed the desktop's tool
        Unavailable, // nothing on the bus serves the portal: the desktop offers no screenshot
                     // service
        Failed,      // the portal answered with an error, or without a picture
    };

    explicit ScreenshotPortal(const QDBusConnection &bus, QObject *parent = nullptr);

    // Starts a capture and returns at once; `finished` follows. `parentWindow` is the portal's
    // window identifier ("x11:" and the window id in hexadecimal, or empty when there is none).
    // Only one capture at a time: while one is under way, a further call does nothing.
    void capture(const QString &parentWindow);
    bool isCapturing() const { return m_capturing; }

signals:
    // `file` is the local path of the picture when the outcome is Captured, empty otherwise.
    void finished(ScreenshotPortal::Outcome outcome, const QString &file);

private slots:
    void onResponse(uint response, const QVariantMap &results);

private:
    void listenAt(const QString &requestPath);
    void finish(Outcome outcome, const QString &file = QString());

    QDBusConnection m_bus;
    bool m_capturing = false;
    QString m_requestPath; // the Request object listened to; empty when none
};
