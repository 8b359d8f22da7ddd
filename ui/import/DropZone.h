#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

// The 300 × 340 drop target of the import screen: a dashed rounded outline (accent while a drag
// hovers over it), holding the imported picture, or a hint when there is none. It takes drags
// that carry a local file (text/uri-list from file managers) and reports the first file dropped.
class DropZone : public QWidget {
    Q_OBJECT

public:
    explicit DropZone(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    bool hasImage() const { return !m_image.isNull(); }
    // `dropTargeted`: a usable drag is hovering over the zone.
    bool isDropTargeted() const { return m_dropTargeted; }

signals:
    void fileDropped(const QString &path);

protected:
    void paintEvent(QPaintEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void setDropTargeted(bool targeted);
    void paintHint(QPainter &painter);
    void paintImage(QPainter &painter);

    QImage m_image;
    QPixmap m_scaled; // m_image fitted to the zone, made once per image and size
    bool m_dropTargeted = false;
};
