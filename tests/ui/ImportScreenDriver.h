#pragma once

#include "ui/import/ImportView.h"

#include <QString>

class EntryRow;
class QAbstractButton;

// Drives an import screen the way a user does: clicks, typing and drops on its real widgets.
class ImportScreenDriver {
public:
    explicit ImportScreenDriver(ImportView *view);

    ImportView *view() const { return m_view; }

    QAbstractButton *button(const char *objectName) const;
    void click(const char *objectName) const;
    // Drops the file on the drop zone as a file manager does (text/uri-list).
    void drop(const QString &path) const;
    // Waits until no recognition or write is under way; whether that happened in time.
    bool waitIdle() const;

    // "plus", then types the subject and text into the new row.
    void addRow(const QString &subject, const QString &text) const;
    EntryRow *row(int index) const;
    void untick(int index) const;

    void typeListName(const QString &name) const;
    // Types into a field the way an input method commits Chinese text.
    static void type(QWidget *field, const QString &text);
    void chooseReminders() const;
    void setDue(const QDateTime &due) const;

    QString countText() const;
    QString statusShown() const;

private:
    ImportView *m_view;
};
