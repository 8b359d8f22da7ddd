#pragma once

#include <QAbstractButton>

// `GlassButton`: a push button with the glass look. Prominent: filled with the accent colour,
// white label (for the one main action of a screen); regular: a glass capsule. The label is a
// title, optionally after a symbol.
class GlassButton : public QAbstractButton {
    Q_OBJECT

public:
    GlassButton(const QString &title, bool prominent, QWidget *parent = nullptr);
    GlassButton(const QString &title, const QString &symbol, bool prominent,
                QWidget *parent = nullptr);

    void setSymbol(const QString &symbol);
    QString symbol() const { return m_symbol; }
    bool isProminent() const { return m_prominent; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString m_symbol;
    bool m_prominent;
    bool m_hovered = false;
};
