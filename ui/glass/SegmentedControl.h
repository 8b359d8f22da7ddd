#pragma once

#include <QStringList>
#include <QWidget>

// A two-or-more segment switch with one segment chosen, drawn as a glass track with the chosen
// segment raised on it. Left and right arrows move the choice when it has focus.
class SegmentedControl : public QWidget {
    Q_OBJECT

public:
    explicit SegmentedControl(const QStringList &segments, QWidget *parent = nullptr);

    int currentIndex() const { return m_current; }
    void setCurrentIndex(int index);
    // What the switch chooses, for a screen reader: the control is then named "label：segment",
    // so the choice is read on arriving and again as the arrows change it.
    void setAccessibleLabel(const QString &label);
    QStringList segments() const { return m_segments; }
    // The area of one segment, for clicks in tests and hit testing.
    QRect segmentRect(int index) const;

    QSize sizeHint() const override;
    // Never narrower than its texts.
    QSize minimumSizeHint() const override;

signals:
    void currentIndexChanged(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showAccessibleName();

    QStringList m_segments;
    QString m_accessibleLabel;
    int m_current = 0;
};
