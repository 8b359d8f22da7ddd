#pragma once

#include <QWidget>

// A one-pixel line in the primary colour at a low opacity, horizontal or vertical.
class HairlineDivider : public QWidget {
    Q_OBJECT

public:
    HairlineDivider(Qt::Orientation orientation, qreal opacity, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qreal m_opacity;
};
