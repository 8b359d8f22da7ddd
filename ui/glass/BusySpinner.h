#pragma once

#include <QVariantAnimation>
#include <QWidget>

// The small indeterminate progress indicator: an arc turning while the spinner is shown.
class BusySpinner : public QWidget {
    Q_OBJECT

public:
    explicit BusySpinner(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QVariantAnimation m_turn;
    qreal m_angle = 0;
};
