#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QWidget>

// `AppBackdrop`: the window-filling background behind every screen. Back to front: the window
// material (see WindowConfigurator::Base), then three soft radial glows added with the
// plus-lighter blend (QPainter::CompositionMode_Plus), each brightening what lies below. The
// glows scale with the window. It takes no pointer events.
class AppBackdrop : public QWidget {
    Q_OBJECT

public:
    struct Glow {
        QColor color; // at the centre; clear at `radius`
        QPointF centre;
        qreal radius;
    };

    explicit AppBackdrop(QWidget *parent = nullptr);

    // The three glows for a window of `size`.
    static QList<Glow> glows(const QSizeF &size);

protected:
    void paintEvent(QPaintEvent *event) override;
};
