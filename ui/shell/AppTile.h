#pragma once

#include <QWidget>

// The brand's app tile: a 30 × 30 rounded square in a blue-to-violet gradient with a soft blue
// shadow, carrying a white checklist mark.
class AppTile : public QWidget {
    Q_OBJECT

public:
    explicit AppTile(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
