#pragma once

#include <QImage>
#include <QList>
#include <QPixmap>
#include <QWidget>

class QLabel;
class QToolButton;

// The 300 × 340 drop target of the import screen: a dashed rounded outline (accent while a drag
// hovers over it), holding the imported pictures, or a hint when there is none. Several
// pictures form a strip that the arrows under the picture (or the Left and Right keys) page
// through. It takes drags of local files (text/uri-list from file managers), all of them in the
// order dropped, and drags that hold text and no picture, such as a chat message.
class DropZone : public QWidget {
    Q_OBJECT

public:
    explicit DropZone(QWidget *parent = nullptr);

    // Shows the first of `images`; none shows the hint.
    void setImages(const QList<QImage> &images);

signals:
    void filesDropped(const QStringList &paths);
    void textDropped(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void showPage(qsizetype page);
    void setDropTargeted(bool targeted);
    void paintHint(QPainter &painter);
    void paintImage(QPainter &painter);

    QList<QImage> m_images;
    qsizetype m_page = 0;
    QPixmap m_scaled; // the shown picture fitted to the zone, made once per picture and size
    bool m_dropTargeted = false;
    QWidget *m_pager;
    QToolButton *m_previous;
    QLabel *m_pageLabel;
    QToolButton *m_next;
};
