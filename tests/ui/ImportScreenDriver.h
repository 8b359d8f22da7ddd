#pragma once

#include "ui/import/ImportView.h"

#include <QList>
#include <QString>
#include <QStringList>

class EntryRow;
class QAbstractButton;
class QCheckBox;
class QLineEdit;

// Drives an import screen the way a user does: clicks, typing and drops on its real widgets,
// found by their object names; it reads back what the screen shows.
class ImportScreenDriver {
public:
    explicit ImportScreenDriver(ImportView *view);

    ImportView *view() const { return m_view; }

    template <typename T = QWidget>
    T *find(const char *objectName) const
    {
        return m_view->findChild<T *>(QString::fromLatin1(objectName));
    }
    QAbstractButton *button(const char *objectName) const;
    void click(const char *objectName) const;
    // Drops the files on the drop zone as a file manager does (text/uri-list), in this order.
    void drop(const QStringList &paths) const;
    // Drops text as a chat program does (text/plain only).
    void dropText(const QString &text) const;
    // Waits until no recognition or write is under way; whether that happened in time.
    bool waitIdle() const;

    // "plus", then types the subject and text into the new row.
    void addRow(const QString &subject, const QString &text) const;
    // The rows shown, top to bottom.
    QList<EntryRow *> rows() const;
    EntryRow *row(int index) const;
    // The rows' titles ("subject｜text"), top to bottom; only the ticked ones if asked.
    QStringList titles(bool tickedOnly = false) const;
    static QCheckBox *tickBox(EntryRow *row);
    static QLineEdit *textField(EntryRow *row);
    void untick(int index) const;

    void typeListName(const QString &name) const;
    // Types into a field the way an input method commits Chinese text.
    static void type(QWidget *field, const QString &text);
    void chooseReminders() const;
    void setDue(const QDateTime &due) const;

    QString countText() const;
    QString statusShown() const;
    bool progressShown() const;
    // A picture in the drop zone: "清空" is offered only then.
    bool showsPicture() const;
    bool rawTextShown() const;
    QString rawTextTitle() const;
    // The recognised lines, as the recognised-text section shows them.
    QStringList rawLines() const;

private:
    ImportView *m_view;
};
