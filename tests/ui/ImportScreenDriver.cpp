#include "ImportScreenDriver.h"

#include "ScreenHarness.h"
#include "ui/glass/SegmentedControl.h"
#include "ui/import/DropZone.h"
#include "ui/import/EntryRow.h"
#include "ui/import/ImportFooter.h"
#include "ui/import/ImportHeader.h"
#include "ui/import/ResultPane.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QAbstractButton>
#include <QTest>
#include <gtest/gtest.h>

ImportScreenDriver::ImportScreenDriver(ImportView *view)
    : m_view(view)
{
}

QAbstractButton *ImportScreenDriver::button(const char *objectName) const
{
    auto *found = m_view->findChild<QAbstractButton *>(QString::fromLatin1(objectName));
    EXPECT_NE(found, nullptr) << objectName;
    return found;
}

void ImportScreenDriver::click(const char *objectName) const
{
    QTest::mouseClick(button(objectName), Qt::LeftButton);
}

void ImportScreenDriver::drop(const QString &path) const
{
    DropZone *zone = m_view->dropZone();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    const QPoint centre = zone->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(zone, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_TRUE(zone->isDropTargeted());
    QDropEvent dropped(QPointF(centre), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(zone, &dropped);
    EXPECT_TRUE(dropped.isAccepted());
    EXPECT_FALSE(zone->isDropTargeted());
}

bool ImportScreenDriver::waitIdle() const
{
    return waitUntil([this] { return !m_view->isBusy(); });
}

void ImportScreenDriver::addRow(const QString &subject, const QString &text) const
{
    click("addEntryButton");
    EntryRow *added = m_view->resultPane()->rows().last();
    type(added->subjectField(), subject);
    type(added->textField(), text);
}

EntryRow *ImportScreenDriver::row(int index) const
{
    return m_view->resultPane()->rows().at(index);
}

void ImportScreenDriver::untick(int index) const
{
    QCheckBox *box = row(index)->tickBox();
    ASSERT_TRUE(box->isChecked());
    QCoreApplication::processEvents(); // lays out rows added a moment ago
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
    ASSERT_FALSE(box->isChecked());
}

void ImportScreenDriver::typeListName(const QString &name) const
{
    QLineEdit *field = m_view->header()->listNameField();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    type(field, name);
}

void ImportScreenDriver::type(QWidget *field, const QString &text)
{
    field->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(field, &commit);
}

void ImportScreenDriver::chooseReminders() const
{
    SegmentedControl *target = m_view->header()->targetSwitch();
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->segmentRect(1).center());
}

void ImportScreenDriver::setDue(const QDateTime &due) const
{
    m_view->header()->dueEdit()->setDateTime(due);
}

QString ImportScreenDriver::countText() const
{
    return m_view->findChild<QLabel *>(QStringLiteral("countLabel"))->text();
}

QString ImportScreenDriver::statusShown() const
{
    return m_view->findChild<QLabel *>(QStringLiteral("statusLabel"))->text();
}
