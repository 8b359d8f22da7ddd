#pragma once

#include <QStyledItemDelegate>
#include <QUuid>

class TaskListModel;

// Paints one entry of the task list: the circle that ticks it, the title (struck through and
// faded when done), the due label coloured by urgency, the source, and the trash button; and
// turns clicks on the circle and the trash into requests.
class TaskRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit TaskRowDelegate(const TaskListModel *model, QObject *parent = nullptr);

    // Where the two buttons of a row lie within the row's rectangle.
    static QRect circleRect(const QRect &row);
    static QRect trashRect(const QRect &row);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

signals:
    void toggleRequested(const QUuid &taskId);
    void deleteRequested(const QUuid &taskId);

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    const TaskListModel *m_model;
};
