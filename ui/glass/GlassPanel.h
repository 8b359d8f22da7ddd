#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

// A container that draws the glass material in a rounded rectangle behind its children, tinted
// when a tint is given. An interactive panel brightens under the pointer and dims while pressed.
class GlassPanel : public QWidget {
    Q_OBJECT

public:
    explicit GlassPanel(qreal cornerRadius = 16, std::optional<QColor> tint = std::nullopt,
                        bool interactive = false, QWidget *parent = nullptr);

    qreal cornerRadius() const { return m_cornerRadius; }
    const std::optional<QColor> &tint() const { return m_tint; }
    bool isInteractive() const { return m_interactive; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    qreal m_cornerRadius;
    std::optional<QColor> m_tint;
    bool m_interactive;
    bool m_hovered = false;
    bool m_pressed = false;
};
